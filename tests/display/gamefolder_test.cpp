// Where the game folder is and which Config.ini is read and edited, on folders made by
// the tests: a build folder, an installed layout under a prefix, a user's own copy.
#include "display/gamefolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zn {
namespace {

class GameFolderTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString exeDir = tmp.path() + "/prefix/games";
    QString installed = tmp.path() + "/prefix/share/games/zorpy-nibbo";
    QString user = tmp.path() + "/config/zorpy-nibbo";

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(exeDir)); }

    static void write(const QString& path, const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(text);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
    }
};

TEST_F(GameFolderTest, TheExecutablesOwnFolderWinsWhenItHoldsConfig) {
    write(exeDir + "/Config.ini", "[Common]\n");
    write(installed + "/Config.ini", "[Common]\n");
    EXPECT_EQ(gameFolderFor(exeDir), exeDir);
}

TEST_F(GameFolderTest, TheInstalledDataFolderIsFoundFromTheExecutablesPrefix) {
    write(installed + "/Config.ini", "[Common]\n");
    EXPECT_EQ(gameFolderFor(exeDir), installed);  // a clean path, no ".." in messages
}

TEST_F(GameFolderTest, WithoutConfigTheFolderItBelongsInIsNamed) {
    EXPECT_EQ(gameFolderFor(exeDir), exeDir) << "a build folder that lost its Config.ini";
    ASSERT_TRUE(QDir().mkpath(installed));
    EXPECT_EQ(gameFolderFor(exeDir), installed) << "an installed game that lost its data";
}

TEST_F(GameFolderTest, AUsersOwnConfigIsReadOnlyForAGameFolderTheyCannotWrite) {
    EXPECT_EQ(configFolderFor(installed, false, user), installed) << "no copy of their own yet";
    write(user + "/Config.ini", "[Common]\n");
    EXPECT_EQ(configFolderFor(installed, false, user), user);
    EXPECT_EQ(configFolderFor(installed, true, user), installed) << "a writable game folder: as ever";
}

TEST_F(GameFolderTest, EditingAnInstalledConfigCopiesItOnceForTheUser) {
    write(installed + "/Config.ini", "[Common]\nGameWidth=692\n");
    ASSERT_TRUE(
        QFile::setPermissions(installed + "/Config.ini", QFileDevice::ReadOwner | QFileDevice::ReadOther));

    const QString own = user + "/Config.ini";
    EXPECT_EQ(editableConfigFor(installed, false, user), own);
    EXPECT_EQ(read(own), "[Common]\nGameWidth=692\n");
    EXPECT_TRUE(QFile::permissions(own) & QFileDevice::WriteOwner) << "the copy is the user's to change";

    write(own, "[Common]\nGameWidth=500\n");  // the user's edit
    EXPECT_EQ(editableConfigFor(installed, false, user), own);
    EXPECT_EQ(read(own), "[Common]\nGameWidth=500\n") << "a second edit must not start over";
}

TEST_F(GameFolderTest, EditingAWritableGameFolderOpensItsOwnConfig) {
    write(exeDir + "/Config.ini", "[Common]\n");
    EXPECT_EQ(editableConfigFor(exeDir, true, user), "Config.ini");
    EXPECT_FALSE(QFileInfo::exists(user)) << "no copy for a game folder the user can write";
}

}  // namespace
}  // namespace zn
