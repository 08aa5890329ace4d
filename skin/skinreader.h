#pragma once
// The one reader of Config.ini, free of any toolkit: the whole skin as typed values read from
// the file's text, each with what was wrong with it. The simulator's set-up applies the
// description to the window and the skin checker lists its problems, each in its own words:
// the set-up's error box tells only of values out of range, colours that are no integers and
// pictures that cannot be decoded (other malformed values fall back to their defaults
// silently); the checker lists every problem.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/images.h"
#include "skin/skinini.h"

namespace zn::skin {

constexpr int kMaxExtent = 16384;    // the game area and image rectangles, on a side
constexpr int kMaxPosition = 65536;  // an image's left and top on the window, either way

// What was wrong with one value of Config.ini, and what stands in for it.
struct Problem {
    enum class Kind {
        NotAnInteger,  // not in the integer syntax (an integer or a colour); `used` stands in
        OutOfRange,    // `value` outside low..high; `used` stands in
        NotAnOffset,   // GameOffsetX/Y neither a number of pixels nor Center: the game area is centred
        NotZeroOrOne,  // BackdropStretch: only 1 stretches
        NotACorner,    // LogoPosition outside 0..3: the logo stays where it is
    };
    Kind kind;
    std::string section;
    std::string key;
    std::string text;        // the value as written
    std::int64_t value = 0;  // the value read, for the last four kinds
    std::int64_t used = 0;   // what stands in (NotAnInteger, OutOfRange)
    std::int64_t low = 0;    // the range allowed (OutOfRange)
    std::int64_t high = 0;
};

// A value of Config.ini as the simulator uses it, and the problem met reading it, if any. An
// absent key gives its default without a problem.
template <class T>
struct Checked {
    T value{};
    std::optional<Problem> problem;

    bool has(Problem::Kind kind) const { return problem && problem->kind == kind; }
};

// Section Image<slot>.
struct ImageSection {
    int slot = 0;
    std::string fileName;             // as written; namesPicture() says whether it names a picture
    Checked<std::int32_t> left, top;  // as written, before the game-area offset
    Checked<int> width, height;       // held within 0..kMaxExtent

    // The image's left or top on the window: the value plus the game-area offset, held within
    // +-kMaxPosition.
    Checked<int> placedLeft(std::int32_t offsetX) const;
    Checked<int> placedTop(std::int32_t offsetY) const;
};

struct SkinDescription {
    // [Common]
    std::string skinDir;                 // from folderPath(): as written, relative to the working directory
    Checked<int> gameWidth, gameHeight;  // 1..kMaxExtent, else the default
    // [VideoMode]: the windowed mode's background and see-through colour, 0x00BBGGRR
    Checked<std::uint32_t> transpColor;
    // [Fullscreen]
    std::string backdropDir;   // from folderPath()
    std::string backdropFile;  // as written
    Checked<std::int32_t> backdropStretch;
    Checked<std::uint32_t> bgColor;
    Checked<std::optional<std::int32_t>> gameOffsetX, gameOffsetY;  // nullopt centres the game area
    std::string logoFile;                                           // as written
    Checked<std::int32_t> logoPosition;                             // the corner, 0..3
    // [Image1] .. [Image198]
    std::array<ImageSection, kSlotCount> imageSections;

    const ImageSection& imageSection(ImageId id) const;  // id must be in a slot
};

// "Image" + the slot number.
std::string slotSection(int slot);

SkinDescription readSkin(const SkinIni& ini);

// Config.ini's text read as a skin.
struct SkinText {
    std::string error;  // the INI reader's reason when the text cannot be parsed; skin is then left empty
    SkinDescription skin;
};

// The file's whole text; the caller refuses files bigger than kMaxIniBytes before reading them.
SkinText readSkinText(std::string_view text);

}  // namespace zn::skin
