#pragma once
// The sound outputs offered by the splash dialog's list, in the list's order: an item's
// position is the stored SoundMode, so stored settings keep their meaning, and its
// caption names the SDL audio driver it opens. Plain C++, shared by the dialog, the
// sound start-up and the sound layer.
#include <array>
#include <string_view>

namespace zn {

struct SoundOutputItem {
    int soundMode;             // the item's position in the list and the stored SoundMode
    std::string_view caption;  // the item's text in the list
    const char* sdlDriver;     // SDL's audio driver it opens; null: no sound at all
};

inline constexpr std::array<SoundOutputItem, 3> kSoundOutputs = {{
    {0, "PulseAudio", "pulseaudio"},  // PipeWire serves it too
    {1, "ALSA", "alsa"},
    {2, "(no sound)", nullptr},
}};

constexpr bool positionsAreSoundModes() {
    for (std::size_t i = 0; i < kSoundOutputs.size(); ++i)
        if (kSoundOutputs[i].soundMode != static_cast<int>(i)) return false;
    return true;
}
static_assert(positionsAreSoundModes());

// The item whose caption is text, the captions compared as the sound start-up does:
// "(no sound)" first, then item 1, then item 0. Null for any other text.
constexpr const SoundOutputItem* soundOutputByCaption(std::string_view text) {
    for (std::size_t i = kSoundOutputs.size(); i-- > 0;)
        if (kSoundOutputs[i].caption == text) return &kSoundOutputs[i];
    return nullptr;
}

// The other item with a driver: where a driver item falls back to when its own driver
// does not open.
constexpr const SoundOutputItem& otherSoundDriver(const SoundOutputItem& output) {
    return output.soundMode == 0 ? kSoundOutputs[1] : kSoundOutputs[0];
}

}  // namespace zn
