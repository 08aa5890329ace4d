// Replays the fuzz targets' seed corpora and every input the fuzzers found through the same
// property checks, so that a finding stays fixed in the ordinary (non-clang) build.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "fuzz/ini_properties.h"
#include "fuzz/mapping_properties.h"
#include "fuzz/replay_properties.h"
#include "fuzz/script_properties.h"
#include "fuzz/settings_properties.h"

namespace zn {
namespace {

QList<QByteArray> corpus(const char* target) {
    QList<QByteArray> inputs;
    const QDir dir(QStringLiteral(ZN_FUZZ_CORPUS "/") + target);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly)) inputs << f.readAll();
    }
    return inputs;
}

std::string_view view(const QByteArray& b) { return {b.constData(), static_cast<std::size_t>(b.size())}; }

TEST(FuzzReplay, ConfigIniCorpusKeepsEveryProperty) {
    const auto inputs = corpus("fuzz_skinini");
    ASSERT_GE(inputs.size(), 5);
    for (const QByteArray& input : inputs) EXPECT_EQ(fuzz::checkIniText(view(input)), "");
}

TEST(FuzzReplay, SettingsCorpusKeepsEveryProperty) {
    // A stored variant may be a GUI type, which needs the application object the simulator has.
    static int argc = 1;
    static char name[] = "zn_hardening_tests";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    const auto inputs = corpus("fuzz_settings");
    ASSERT_GE(inputs.size(), 5);
    for (const QByteArray& input : inputs) {
        EXPECT_EQ(fuzz::checkStoredText(view(input)), "");
        EXPECT_EQ(fuzz::checkStoredValue(view(input)), "");
        EXPECT_EQ(fuzz::checkStoredFile(view(input)), "");
    }
}

TEST(FuzzReplay, MappingFileCorpusKeepsEveryProperty) {
    fuzz::resetMappings();
    const auto inputs = corpus("fuzz_mappings");
    ASSERT_GE(inputs.size(), 5);
    for (const QByteArray& input : inputs) EXPECT_EQ(fuzz::checkMappingText(view(input)), "");
}

TEST(FuzzReplay, ScriptCorpusKeepsEveryProperty) {
    const auto inputs = corpus("fuzz_script");
    ASSERT_GE(inputs.size(), 5);
    for (const QByteArray& input : inputs) EXPECT_EQ(fuzz::checkScriptText(view(input)), "");
}

TEST(FuzzReplay, RecordingCorpusKeepsEveryProperty) {
    const auto inputs = corpus("fuzz_replay");
    ASSERT_GE(inputs.size(), 5);
    for (const QByteArray& input : inputs) EXPECT_EQ(fuzz::checkRecordingText(view(input)), "");
}

// The property checks must themselves catch a wrong reading, or the fuzzing proves nothing.
TEST(FuzzReplay, ReferenceIntegerReadsTheSyntaxIndependently) {
    struct Case {
        const char* text;
        bool valid;
        long long value;
    };
    const Case cases[] = {{" \t-12", true, -12},     {"$FFFFFFFF", true, -1},
                          {"-x1", true, -1},         {"0X7fffffff", true, 2147483647},
                          {"2147483648", false, 0},  {"-2147483648", true, -2147483648LL},
                          {"0x100000000", false, 0}, {"000000000000042", true, 42},
                          {"12 ", false, 0},         {"0x", false, 0},
                          {"+", false, 0},           {"$-1", false, 0}};
    for (const Case& c : cases) {
        long long v = 0;
        EXPECT_EQ(fuzz::referenceInteger(c.text, v), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace zn
