#pragma once
// What every file of zn.wasm's exports shares: the one game, and the memory through which
// texts and lists cross to the page. The page writes its input into zn_buffer(n); a text
// result is left at zn_out() (the export returns its length), a list of numbers at zn_list()
// (the export returns its count). Each area of rules has its own file of exports, each listed
// in zn_wasm's sources (web/CMakeLists.txt): exports.cpp (the game, the figures, the settings),
// displayexports.cpp (the frame, the pictures, the display's rules), sceneexports.cpp (what
// the canvas shows), skinexports.cpp (the skin set-up and its checker), controlexports.cpp
// (keys, click areas, game controllers), uiexports.cpp (menus, dialogs, sample files),
// narrationexports.cpp (the figures told in words), pageexports.cpp (what the page's pointers
// and keys hold, the long press, a dialog's place, the frame clock), replayexports.cpp (recorded
// games).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "web/core/webgame.h"

#define ZN_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace zn::web::bridge {

WebGame& theGame();

// The result text; returns its length.
int setOutput(std::string text);
// The result list; returns its count.
int setList(const std::vector<int>& values);
// The first length bytes the page wrote into the buffer (empty when length is out of range).
std::string_view inputText(int length);

bool isControl(int c);
bool isImage(int id);

}  // namespace zn::web::bridge
