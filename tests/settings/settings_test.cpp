// AppSettings against a private XDG_CONFIG_HOME: the read rules, the exact text in the
// file, changes made outside the simulator, and a store that cannot be written.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

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

TEST_F(SettingsTest, EncodedValuesAreNeverDecodedAndOtherLinesSurviveAWrite) {
    // Qt's own reader turns "@Variant(...)" into a value through a binary stream that reserves
    // what its bytes claim: this one reads there as the character '1', a hostile one takes all
    // memory. The store reads it as the text it is, which is no number.
    const std::string variant = R"(@Variant(\0\0\0\x7\0\x31\0))";
    const std::string before = "[General]\nKey1=\"4\"\nList=1, 2\nOdd=" + variant + "\nSoundMode=";
    const std::string after = "\n\n[Group]\nDeep\\Key=\"q, r\"\n";
    putFile(before + variant + after);
    AppSettings store;
    EXPECT_EQ(store.readInteger("SoundMode", -1), -1);
    EXPECT_EQ(store.readInteger("Odd", -1), -1);
    EXPECT_EQ(store.readInteger("Key1", 0), 4);
    store.writeInteger("SoundMode", 2);
    EXPECT_EQ(fileText(), before + "2" + after);
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

// The ways the store's folder can refuse a write, each made and undone on the folder itself
// (QSettings fixes the folder's path at first use). `block` returns why the case cannot be
// made on this machine, or nothing. The folder holds oldText when block returns, where the
// case allows a file at all.
struct Blocker {
    const char* name;
    std::function<std::string(const std::string& oldText)> block;
    std::function<void()> unblock;
    const char* reason;  // part of the reason the user is told
    bool hasOldFile;
};

void PrintTo(const Blocker& b, std::ostream* os) { *os << b.name; }

std::string mountTmpfs(const char* options) {
    fs::create_directories(storeDir());
    if (::mount("tmpfs", storeDir().c_str(), "tmpfs", 0, options) != 0)
        return std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    return {};
}

void unmountStoreDir() {
    ::umount2(storeDir().c_str(), MNT_DETACH);
    fs::remove_all(storeDir());
}

const Blocker kBlockers[] = {
    {"FileWhereTheFolderBelongs",
     [](const std::string&) {
         fs::create_directories(gConfigHome);
         std::ofstream(storeDir()) << "in the way";
         return std::string();
     },
     [] {
         fs::remove(storeDir());
         fs::create_directories(storeDir());
     },
     "is a file, not a folder", false},
    {"ReadOnlyFolder",
     [](const std::string& oldText) {
         if (std::string why = mountTmpfs("size=64k"); !why.empty()) return why;
         putFile(oldText);
         if (::mount("tmpfs", storeDir().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") != 0)
             return std::string("cannot make the tmpfs read-only: ") + std::strerror(errno);
         return std::string();
     },
     [] { ::mount("tmpfs", storeDir().c_str(), "tmpfs", MS_REMOUNT, "size=64k"); },
     "cannot be written: Read-only file system", true},
    {"FullDisk",
     [](const std::string& oldText) {
         if (std::string why = mountTmpfs("size=64k"); !why.empty()) return why;
         putFile(oldText);
         std::ofstream filler(storeDir() / "filler", std::ios::binary);
         const std::string block(4096, 'x');
         for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i) filler.flush();
         return std::string();
     },
     [] { fs::remove(storeDir() / "filler"); }, "No space left on device", true},
};

class UnwritableStore : public ::testing::TestWithParam<Blocker> {
protected:
    void SetUp() override { fs::remove_all(storeDir()); }
    void TearDown() override {
        zn::AppSettings::setFailureReporter({});
        unmountStoreDir();
    }
};

// While the store cannot be written: the file on disk stays as it was, the run's values are
// read back, the failure is told once (reporter and standard error) naming the file and the
// reason; the first write that succeeds stores every value of the run.
TEST_P(UnwritableStore, KeepsTheRunsValuesTellsOnceAndWritesThemAllLater) {
    const Blocker& b = GetParam();
    const std::string oldText = "[General]\nKey1=12\nOther=kept\nSoundMode=1\n";
    if (std::string why = b.block(oldText); !why.empty()) GTEST_SKIP() << b.name << ": " << why;
    std::vector<zn::StoreWriteFailure> told;
    zn::AppSettings::setFailureReporter([&told](const zn::StoreWriteFailure& f) { told.push_back(f); });

    testing::internal::CaptureStderr();
    {
        AppSettings s;
        s.writeInteger("Key1", 9);
        s.writeFlag(zn::Setting::FullscreenMode, false);
        s.write(zn::Setting::Zoom, 150);
        s.writeInteger("Key1", 10);
        const std::string err = testing::internal::GetCapturedStderr();

        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.readInteger("Key1", 2), 10);
        EXPECT_FALSE(s.readFlag(zn::Setting::FullscreenMode));
        EXPECT_EQ(s.readZoom(), 150);
        if (b.hasOldFile) {
            EXPECT_EQ(s.readInteger("SoundMode", -1), 1) << "the disk's values are still read";
            EXPECT_EQ(fileText(), oldText) << "the file on disk is left as it was";
        }
        ASSERT_EQ(told.size(), 1u) << "told once, however many writes fail";
        EXPECT_EQ(told[0].file.toStdString(), storeFile().string());
        EXPECT_NE(told[0].reason.indexOf(QString::fromUtf8(b.reason)), -1) << told[0].reason.toStdString();
        const std::string line = "cannot be saved to " + storeFile().string() + ": ";
        EXPECT_NE(err.find(line + told[0].reason.toStdString()), std::string::npos) << err;
        EXPECT_EQ(err.find(line), err.rfind(line)) << "one line on standard error: " << err;

        b.unblock();
        s.write(zn::Setting::SoundMode, 2);
        EXPECT_TRUE(s.ok());
        EXPECT_EQ(told.size(), 1u);
    }
    const std::string expected =
        b.hasOldFile ? "[General]\nFullscreenMode=0\nKey1=10\nOther=kept\nSoundMode=2\nZoom=150\n"
                     : "[General]\nFullscreenMode=0\nKey1=10\nSoundMode=2\nZoom=150\n";
    EXPECT_EQ(fileText(), expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, UnwritableStore, ::testing::ValuesIn(kBlockers),
                         [](const auto& info) { return std::string(info.param.name); });

// The reason found for a store path, and the trial leaves nothing behind.
TEST(StoreWriteProblem, NamesTheStepThatFails) {
    const fs::path base = gConfigHome / "problem";
    fs::create_directories(base / "folder");
    std::ofstream(base / "plain") << "x";
    std::ofstream(base / "folder" / "store.conf") << "[General]\nA=1\n";
    const struct {
        fs::path file;
        const char* reason;  // "" for none
    } cases[] = {
        {base / "folder" / "store.conf", ""},
        {base / "new" / "deeper" / "store.conf", ""},
        {base / "plain" / "store.conf", "/plain is a file, not a folder"},
        {"/proc/zn-none/Quillon/store.conf", "the folder /proc/zn-none cannot be created: "},
    };
    for (const auto& c : cases) {
        const QString problem = zn::storeWriteProblem(QString::fromStdString(c.file.string()));
        if (*c.reason == '\0')
            EXPECT_TRUE(problem.isEmpty()) << c.file << ": " << problem.toStdString();
        else
            EXPECT_NE(problem.indexOf(QString::fromUtf8(c.reason)), -1)
                << c.file << ": " << problem.toStdString();
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(base / "folder")) ++entries;
    EXPECT_EQ(entries, 1u) << "no trial file is left";
    std::stringstream kept;
    kept << std::ifstream(base / "folder" / "store.conf").rdbuf();
    EXPECT_EQ(kept.str(), "[General]\nA=1\n") << "the store file itself is never touched";
    fs::remove_all(base);
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
