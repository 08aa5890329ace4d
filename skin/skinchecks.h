#pragma once
// The skin checker's findings about a skin description, free of any toolkit: each problem of
// a value, images the game lights that have no picture, images with no size or outside the
// game area, and click areas that overlap, one line each, in the checker's words. The pictures
// themselves are the caller's: it is asked about each named picture at its place in the order.
// The skin checker (tools/skincheck/) and the web edition list the same lines.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "skin/skinreader.h"

namespace zn::skin {

// Receives each line as it is found.
using CheckLine = std::function<void(const std::string& line)>;
// Looks at the picture named in [section] key (dir + fileName) and reports its problems
// through the same CheckLine; may be empty to leave the pictures alone.
using CheckPicture =
    std::function<void(const std::string& section, const char* key, const std::string& dir, const std::string& fileName)>;

void checkDescription(const SkinDescription& skin, const CheckLine& line, const CheckPicture& picture);

// "[section] key: text", the form of most lines.
std::string checkLine(const std::string& section, const std::string& key, const std::string& text);

// The line that ends the checker's list for the Config.ini at path: "PATH: no problems found",
// "PATH: 1 problem", "PATH: 3 problems".
std::string checkSummary(std::string_view path, std::size_t problems);

}  // namespace zn::skin
