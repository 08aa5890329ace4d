#pragma once
// Where the game's files are. The game folder holds Config.ini, Graphics/, Sound/ and the
// documents: the executable's own folder when it holds Config.ini (a build folder), else
// the installed data folder found from the executable's (share/games/zorpy-nibbo beside
// games/), so that any install prefix works. The program makes it its working directory at
// start, so every relative name (skin and backdrop folders, sounds, documents) resolves
// inside it wherever the program was started from.
//
// An installed game folder is read-only. A user's own Config.ini in
// $XDG_CONFIG_HOME/zorpy-nibbo/ is read in its place when it exists; its relative folder
// names still resolve inside the game folder.
#include <QString>

namespace zn {

// The installed data folder, relative to the executable's folder.
inline constexpr const char* kInstalledDataDir = "../share/games/zorpy-nibbo";

// The game folder of an executable in exeDir. When neither folder holds Config.ini: the
// installed data folder if it exists (an installed game that lost its data), else exeDir,
// so that the missing-file message names the place the file belongs in.
QString gameFolderFor(const QString& exeDir);
// gameFolderFor(the running executable's folder); needs the application object.
QString gameFolder();

// $XDG_CONFIG_HOME/zorpy-nibbo (~/.config/zorpy-nibbo when unset).
QString userConfigFolder();

// The folder whose Config.ini the skin set-up reads: userDir when the game folder is not
// writable and userDir holds Config.ini, the game folder otherwise.
QString configFolderFor(const QString& gameDir, bool gameDirWritable, const QString& userDir);
QString configFolder();

// The Config.ini that "Edit configuration file" opens. A writable game folder: "Config.ini",
// relative to the working directory. Otherwise the user's own, first copied from the game
// folder's when there is none yet; when no copy can be made, the game folder's.
QString editableConfigFor(const QString& gameDir, bool gameDirWritable, const QString& userDir);
QString editableConfig();

}  // namespace zn
