#pragma once
// The eight sounds of the device, as tunes for the beeper voice.
#include <vector>

#include "tools/soundgen/synth.h"

namespace zn::soundgen {

struct DeviceSound {
    const char* file;  // relative path, as the game loads it ("Sound/Bonus.wav", ...)
    std::vector<Note> tune;
    double peak;  // level of the loudest sample, 0..1 of full scale
};

// In the order of zn::Sample: Bonus, Energizer, Ghost, Miss, Pill, Pill_Alt, Stage, Start.
std::vector<DeviceSound> deviceSounds();

}  // namespace zn::soundgen
