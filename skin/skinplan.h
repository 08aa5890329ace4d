#pragma once
// The skin set-up as one result, free of any toolkit: from the skin description, the display
// mode, the screen and what the host found at the picture files, every image's picture and
// rectangle, the backdrop, the logo, the game-menu button, the error box's lines and the skin
// checker's lines. The hosts (the desktop's Gfx_Init, zorpy-nibbo-skin-check, the page) only
// look at the files this module names, decode them, and apply the result.
//
// A host works in three steps: pictureFiles() says which files to look at; the host looks at
// each (whether it is there, whether it decodes, its size) and hands the facts back in a
// PictureFactTable; planSetup() or checkSkin() gives the result.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/images.h"
#include "skin/skinreader.h"

namespace zn::skin {

// The file a skin may place beside a picture with the same content at twice its width and
// height, for drawing above 100 %: "Skin/body.png" -> "Skin/body@2x.png". The suffix goes
// before the last extension of the file name; a name without one gets it at the end.
std::string hiResPartnerPath(std::string_view path);

// A picture folder from Config.ini (from folderPath) as the host opens it: a relative folder
// is taken from base (empty: the working directory, as the simulator does; the skin checker
// gives Config.ini's folder with a separator at its end). An empty folder stays the working
// directory.
std::string resolvedFolder(std::string_view base, std::string_view folder);

// The picture given where a named picture is missing or cannot be decoded: kPlaceholderSize
// on a side, a one-pixel black ring around pure red, as 0xAARRGGBB.
inline constexpr int kPlaceholderSize = 10;
constexpr std::uint32_t placeholderPixel(int x, int y) {
    const bool ring = x == 0 || y == 0 || x == kPlaceholderSize - 1 || y == kPlaceholderSize - 1;
    return ring ? 0xFF000000u : 0xFFFF0000u;
}

// What the host found at a picture's path.
struct PictureFacts {
    enum class State {
        Pending,      // not looked at yet: the image waits, nothing is reported
        Missing,      // no such file
        NotAFile,     // something else is there (a folder)
        Present,      // a file, not decoded (the set-up asks no more of a double-size partner)
        Undecodable,  // error says why, naming the file, in the host's decoder's words
        Decoded,      // width x height pixels
    };
    State state = State::Pending;
    int width = 0, height = 0;
    std::string error;
};

// Facts by path; a path the table lacks is Pending.
using PictureFactTable = std::map<std::string, PictureFacts>;

enum class Purpose { Setup, Check };

// A file the host must look at.
struct PictureFile {
    std::string path;
    bool decode = true;       // false: whether a file is there is all that is asked
    std::vector<int> images;  // the images (index(ImageId)) that show its picture in the set-up
};

// The distinct files the set-up (for the display mode) or the checker looks at, in the order it
// looks at them: the named pictures, then their double-size partners.
std::vector<PictureFile> pictureFiles(const SkinDescription& skin, bool fullscreen, Purpose purpose,
                                      std::string_view base = {});

enum class PictureChoice {
    Keep,         // the file name is empty or "nil": the image keeps the picture it had
    File,         // the file's picture
    Placeholder,  // the file is missing or cannot be decoded
    Pending,      // the file was not looked at yet
};

// Whether the set-up shows, hides or leaves alone the backdrop or the logo.
enum class Shown { Unchanged, Shown, Hidden };

struct PlannedImage {
    ImageId id;
    int slot = 0;
    std::string fileName;  // as written
    PictureChoice picture = PictureChoice::Keep;
    std::string path;     // File, Placeholder, Pending: the file named
    std::string partner;  // File: its double-size partner when that file is there, else empty
    int left = 0, top = 0, width = 0, height = 0;
};

struct PlannedBackdrop {
    Shown shown = Shown::Unchanged;
    std::string path;  // Shown
    bool stretch = false;
};

struct PlannedLogo {
    Shown shown = Shown::Unchanged;
    std::string path;  // Shown: sized to its picture
    int width = 0, height = 0;
    bool placed = false;  // in a corner at left, top; else it stays where it was
    int left = 0, top = 0;
};

// The in-window menu's button: shown in full screen only, its panel image at the button's size.
struct MenuButton {
    bool visible = false;
    int width = 36, height = 32;  // of btn_game_menu_background
};
MenuButton gameMenuButton(bool fullscreen);

struct SetupPlan {
    int clientWidth = 0, clientHeight = 0;
    std::uint32_t background = 0;  // 0x00BBGGRR
    bool keyTransparent = false;
    std::uint32_t keyColour = 0;
    int gameX = 0, gameY = 0, gameWidth = 0, gameHeight = 0;  // the game area
    PlannedBackdrop backdrop;
    PlannedLogo logo;
    std::vector<PlannedImage> images;  // one per slot, in slot order
    MenuButton menuButton;
    // What stands in for a value out of range, a colour that is no integer and a picture that
    // cannot be decoded, in the order the set-up meets them (boxLines() gives the box).
    std::vector<std::string> problems;
};

SetupPlan planSetup(const SkinDescription& skin, bool fullscreen, int screenWidth, int screenHeight,
                    const PictureFactTable& facts);

// The skin checker's lines: the description's problems (checkDescription) with the pictures'
// among them, each file once: missing, not a file, undecodable, and a double-size partner that
// cannot be decoded or is not twice the picture's size. base as for pictureFiles(Check).
std::vector<std::string> checkSkin(const SkinDescription& skin, const PictureFactTable& facts,
                                   std::string_view base = {});

}  // namespace zn::skin
