#pragma once
// A skin for the page: Config.ini's text read by zn_skin and laid out as the desktop's set-up
// (Gfx_Init) lays the window out, for windowed or full-screen mode. Pictures are the page's:
// their problems, the logo's corner (which needs the logo's size) and the stretching of the
// backdrop are applied there from the values given here.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/images.h"

namespace zn::web {

struct PlacedImage {
    int id = 0;  // ImageId
    int slot = 0;
    std::string fileName;  // as written
    int left = 0, top = 0, width = 0, height = 0;
};

struct SkinLayout {
    std::string error;  // the fatal message the desktop shows; nothing else is set then
    int clientWidth = 0, clientHeight = 0;
    std::uint32_t backgroundColor = 0;  // 0x00BBGGRR
    bool keyTransparent = false;
    std::uint32_t keyColor = 0;
    int gameX = 0, gameY = 0, gameWidth = 0, gameHeight = 0;
    std::string skinDir, backdropDir, backdropFile, logoFile;
    bool backdropStretch = false;
    int logoPosition = 0;
    std::vector<PlacedImage> images;  // one per slot, in slot order
    // The set-up's error box, in its words and order, without the pictures' problems.
    std::vector<std::string> boxProblems;
    // The skin checker's lines for the description's problems, without the pictures'.
    std::vector<std::string> checkerProblems;
};

SkinLayout layOutSkin(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight);

// The layout as JSON, the shape engine.js's readSkin returns.
std::string readSkinJson(std::string_view iniText, bool fullscreen, int screenWidth, int screenHeight);

}  // namespace zn::web
