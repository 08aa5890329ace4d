#pragma once
// The skin set-up and the skin checker (skin/skinplan.h) for the page, as JSON: Config.ini's text
// in, with the facts the page found at the picture files, and the result out. The page asks
// which files to look at (skinFilesJson), looks at them, and hands the facts back as text, one
// line per file of that list in its order:
//   STATE TAB WIDTH TAB HEIGHT TAB ERROR
// STATE is pending, missing, notafile, present, undecodable or decoded; ERROR (undecodable:
// the decoder's sentence) runs to the end of the line. Missing lines are pending.
#include <string>
#include <string_view>

#include "skin/skinplan.h"

namespace zn::web {

// {"error": the desktop's fatal message or "", "files": [{"path", "decode", "images": [id]}]}
std::string skinFilesJson(std::string_view iniText, bool fullscreen, skin::Purpose purpose);

// The set-up's result: {"error", "clientWidth", "clientHeight", "backgroundColor",
// "keyTransparent", "keyColor", "gameArea", "skinDir", "backdropDir", "backdrop", "logo",
// "images": [{"id", "slot", "fileName", "picture", "path", "partner", "left", "top", "width",
// "height"}], "menuButton", "problems": the error box's lines}. picture is keep, file,
// placeholder or pending; backdrop and logo "shown" is unchanged, shown or hidden.
std::string skinPlanJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight,
                         std::string_view factsText);

// The set-up before any picture was looked at (engine.readSkin).
std::string readSkinJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight);

// The skin checker's lines: {"error", "lines": [...]}; paths relative to Config.ini's folder.
std::string skinCheckJson(std::string_view iniText, std::string_view factsText);

// The skin in a dropped folder: of its files' paths ('/'-separated and normalised, one after
// another with a NUL between them, a character no file name holds), the Config.ini (its name in
// any case) nearest the top, the first of those as near; its position in the list, or -1 when
// there is none. The skin is that file's folder.
int skinIniOf(std::string_view paths);

}  // namespace zn::web
