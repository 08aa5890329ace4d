// AppSettings against a private XDG_CONFIG_HOME: the read rules, the exact text in the
// file, changes made outside the simulator, and a store that cannot be written.
#include "shell/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using zn::AppSettings;

namespace {

// Set once per process in main(): QSettings fixes its paths at first use.
fs::path gConfigHome;

fs::path storeDir() { return gConfigHome / "Quillon"; }
fs::path storeFile() { return storeDir() / "Zornibak50.conf"; }

std::string fileText() {
    std::ifstream f(storeFile(), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
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

TEST_F(SettingsTest, EmptyStoreYieldsDefaults) {
    AppSettings s;
    EXPECT_EQ(s.readInteger("SoundMode", -1), -1);
    EXPECT_EQ(s.readInteger("Key4", 37), 37);
    EXPECT_TRUE(s.readBool("FullscreenMode", true));
    EXPECT_FALSE(s.readBool("SplashScreen", false));
    EXPECT_FALSE(fs::exists(storeFile())) << "reading must not create the store";
}

TEST_F(SettingsTest, WritesPlainTextLinesUnderGeneral) {
    AppSettings s;
    const int keys[] = {2, 3, 4, 37, 39, 40, 38};
    for (int i = 0; i < 7; ++i) s.writeInteger(QString("Key%1").arg(i + 1), keys[i]);
    s.writeInteger("SoundMode", -1);
    s.writeBool("FullscreenMode", true);
    s.writeBool("SplashScreen", false);
    EXPECT_TRUE(s.ok());
    // Written at once: the file already holds everything, without any save at the end.
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
        {"0", 0},
        {"007", 7},
        {"+7", 7},
        {"\" 5 \"", 5},  // blanks around the number are ignored
        {"x", 99},
        {"abc", 99},
        {"12abc", 99},
        {"0x10", 99},
        {"$10", 99},
        {"1.5", 99},
        {"", 99},
        {"-", 99},
        {"1 2", 99},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", 99},
        {"-2147483649", 99},
        {"99999999999999999999", 99},
        {"1,2", 99},
    };
    size_t size = 0;
    for (const Case& c : cases) {
        // A trailing comment gives every version of the file its own size, so that the
        // change is seen even within the file system's timestamp granularity.
        const std::string text = std::string("[General]\nValue=") + c.stored + "\n;";
        size += 64;
        putFile(text + std::string(size - text.size(), '-') + "\n");
        AppSettings s;
        EXPECT_EQ(s.readInteger("Value", 99), c.expected) << "stored: " << c.stored;
    }
}

TEST_F(SettingsTest, ReadsBooleansThroughTheIntegerRule) {
    putFile("[General]\nFullscreenMode=2\nCtrlrOverlay=x\nSplashScreen=0\nSoundMode=-1\n");
    AppSettings s;
    EXPECT_TRUE(s.readBool("FullscreenMode", false)) << "any integer but 0 is true";
    EXPECT_TRUE(s.readBool("CtrlrOverlay", true)) << "not an integer: the default";
    EXPECT_FALSE(s.readBool("CtrlrOverlay", false));
    EXPECT_FALSE(s.readBool("SplashScreen", true));
    EXPECT_TRUE(s.readBool("SoundMode", false));
}

TEST_F(SettingsTest, ReadsAFileEditedByHand) {
    putFile("; edited\r\n[Other]\r\nKey1=5\r\n\r\n[General]\r\nKey1 = 7\r\nKey2=\r\n");
    AppSettings s;
    EXPECT_EQ(s.readInteger("Key1", 2), 7);
    EXPECT_EQ(s.readInteger("Key2", 3), 3);
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
    AppSettings s;
    s.writeInteger("Key1", 9);
    EXPECT_EQ(fileText(), "[General]\nKey1=9\nOther=kept as it was\nSoundMode=abc\n");
    // A second instance sees the same store.
    EXPECT_EQ(AppSettings().readInteger("Key1", 2), 9);
}

TEST_F(SettingsTest, UnwritableStoreNeitherCrashesNorForgets) {
    // The store's folder cannot be created where a plain file stands.
    fs::create_directories(gConfigHome);
    std::ofstream(storeDir()) << "in the way";
    AppSettings s;
    s.writeInteger("Key1", 17);
    s.writeBool("SplashScreen", false);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.readInteger("Key1", 2), 17) << "kept for this run";
    EXPECT_FALSE(s.readBool("SplashScreen", true));
    EXPECT_EQ(s.readInteger("Key2", 3), 3);
    fs::remove(storeDir());
}

TEST(StoredInteger, ParsesOnlyDecimalText) {
    EXPECT_EQ(zn::parseStoredInteger("\t-42 "), -42);
    EXPECT_EQ(zn::parseStoredInteger(QString::fromUtf8("\xd9\xa3")), std::nullopt) << "Arabic-Indic digit";
    EXPECT_EQ(zn::parseStoredInteger("- 4"), std::nullopt);
    EXPECT_EQ(zn::parseStoredInteger("--4"), std::nullopt);
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
