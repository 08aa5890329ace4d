// AppSettings against a private XDG_CONFIG_HOME: the read rules, the exact text in the
// file, changes made outside the simulator, and a store that cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/appsettings.h"

namespace fs = std::filesystem;
using zn::AppSettings;

namespace {

fs::path gConfigHome;  // set once in main(): QSettings fixes its paths at first use

fs::path storeDir() { return gConfigHome / "Quillon"; }
fs::path storeFile() { return storeDir() / "Zornibak50.conf"; }

std::string fileText() {
    std::stringstream s;
    s << std::ifstream(storeFile(), std::ios::binary).rdbuf();
    return s.str();
}

void putFile(const std::string& text) {
    fs::create_directories(storeDir());
    std::ofstream(storeFile(), std::ios::binary | std::ios::trunc) << text;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(storeDir()); }
};

TEST_F(SettingsTest, EmptyStoreYieldsDefaultsWithoutCreatingAFile) {
    AppSettings s;
    EXPECT_EQ(s.readInteger("SoundMode", -1), -1);
    EXPECT_TRUE(s.readBool("FullscreenMode", true));
    EXPECT_FALSE(s.readBool("SplashScreen", false));
    EXPECT_FALSE(fs::exists(storeFile()));
}

TEST_F(SettingsTest, WritesPlainTextLinesUnderGeneralAtOnce) {
    AppSettings s;
    const int keys[] = {2, 3, 4, 37, 39, 40, 38};
    for (int i = 0; i < 7; ++i) s.writeInteger(QString("Key%1").arg(i + 1), keys[i]);
    s.writeInteger("SoundMode", -1);
    s.writeBool("FullscreenMode", true);
    s.writeBool("SplashScreen", false);
    EXPECT_TRUE(s.ok());
    EXPECT_EQ(fileText(),
              "[General]\nFullscreenMode=1\nKey1=2\nKey2=3\nKey3=4\nKey4=37\nKey5=39\nKey6=40\nKey7=38\n"
              "SoundMode=-1\nSplashScreen=0\n");
}

TEST_F(SettingsTest, ReadsTextAsDecimalIntegerOrDefault) {
    struct Case {
        const char* stored;  // as it stands in the file after "Value="
        int expected;        // read with default 99
    };
    const Case cases[] = {
        {"2", 2},
        {"-1", -1},
        {"007", 7},
        {"+7", 7},
        {"\" 5 \"", 5},
        {"x", 99},
        {"abc", 99},
        {"12abc", 99},
        {"0x10", 99},
        {"$10", 99},
        {"1.5", 99},
        {"", 99},
        {"-", 99},
        {"1 2", 99},
        {"1,2", 99},
        {"\"--4\"", 99},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", 99},
        {"99999999999999999999", 99},
    };
    size_t size = 0;
    for (const Case& c : cases) {
        // A trailing comment gives every version of the file its own size, so that the
        // change is seen even within the file system's timestamp granularity.
        const std::string text = std::string("[General]\nValue=") + c.stored + "\n;";
        size += 64;
        putFile(text + std::string(size - text.size(), '-') + "\n");
        EXPECT_EQ(AppSettings().readInteger("Value", 99), c.expected) << "stored: " << c.stored;
    }
}

TEST_F(SettingsTest, ReadsBooleansThroughTheIntegerRule) {
    putFile("[General]\nFullscreenMode=2\nCtrlrOverlay=x\nSplashScreen=0\n");
    AppSettings s;
    EXPECT_TRUE(s.readBool("FullscreenMode", false));
    EXPECT_TRUE(s.readBool("CtrlrOverlay", true));
    EXPECT_FALSE(s.readBool("CtrlrOverlay", false));
    EXPECT_FALSE(s.readBool("SplashScreen", true));
}

TEST_F(SettingsTest, ZoomIsClampedAndRoundedToAStepMalformedIsTheDefault) {
    AppSettings s;
    EXPECT_EQ(s.readZoom(), 100);  // missing
    const std::pair<const char*, int> cases[] = {
        // neighbours differ in length: a rewrite of the same size within the file time's
        // granularity would look unchanged to the store
        {"150", 150}, {" 75 ", 75},         {"112", 100},        {"10", 50},   {"113", 125},   {"-300", 50},
        {"401", 400}, {"99999999999", 100}, {"2147483647", 400}, {"abc", 100}, {"1.5e2", 100}, {"", 100}};
    for (const auto& [text, zoom] : cases) {
        putFile(std::string("[General]\nZoom=") + text + "\n");
        EXPECT_EQ(s.readZoom(), zoom) << text;
    }
    EXPECT_FALSE(s.readFlag(zn::Setting::FullscreenFit));  // off unless stored
}

TEST_F(SettingsTest, SeesChangesMadeOutsideAtTheNextRead) {
    AppSettings s;
    s.writeBool("SplashScreen", true);
    EXPECT_TRUE(s.readBool("SplashScreen", false));
    putFile("[General]\nSplashScreen=0\nSoundMode=1\n");
    EXPECT_FALSE(s.readBool("SplashScreen", true));
    EXPECT_EQ(s.readInteger("SoundMode", -1), 1);
}

TEST_F(SettingsTest, WritingOneValueKeepsTheOthers) {
    putFile("[General]\nKey1=12\nSoundMode=abc\nOther=kept as it was\n");
    AppSettings().writeInteger("Key1", 9);
    EXPECT_EQ(fileText(), "[General]\nKey1=9\nOther=kept as it was\nSoundMode=abc\n");
}

TEST_F(SettingsTest, UnwritableStoreNeitherCrashesNorForgets) {
    // The store's folder cannot be created where a plain file stands.
    fs::create_directories(gConfigHome);
    std::ofstream(storeDir()) << "in the way";
    AppSettings s;
    s.writeInteger("Key1", 17);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.readInteger("Key1", 2), 17) << "kept for this run";
    EXPECT_EQ(s.readInteger("Key2", 3), 3);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    char tmpl[] = "/tmp/zn-settings-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) return 2;
    gConfigHome = tmpl;
    setenv("XDG_CONFIG_HOME", tmpl, 1);
    const int rc = RUN_ALL_TESTS();
    fs::remove_all(gConfigHome);
    return rc;
}
