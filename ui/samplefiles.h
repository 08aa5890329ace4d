#pragma once
// The eight sample files, relative to the game folder, in the order of zn::Sample: the names
// the sound generator writes, the desktop's sound output loads and the page fetches.
#include <array>

namespace zn {

inline constexpr const char* kSoundFolder = "Sound";

inline constexpr std::array<const char*, 8> kSampleFiles = {
    "Sound/Bonus.wav", "Sound/Energiz.wav",  "Sound/Ghost.wav", "Sound/Miss.wav",
    "Sound/Pill.wav",  "Sound/Pill_alt.wav", "Sound/Stage.wav", "Sound/Start.wav",
};

}  // namespace zn
