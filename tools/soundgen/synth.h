#pragma once
// A piezo-beeper voice: one tone at a time, a square wave with rounded edges (its odd
// harmonics only, rolled off and kept below the Nyquist limit), shaped by a short
// attack and release so that no note starts or stops with a click.
#include <cstdint>
#include <vector>

namespace zn::soundgen {

inline constexpr int kRate = 22050;

// One note of a tune. A frequency of 0 is a rest. When `to_hz` is set the pitch glides
// from `hz` to `to_hz` over the sounding part of the note (evenly in pitch, not in Hz).
struct Note {
    double hz;
    double ms;
    double to_hz = 0.0;
    // Share of the note that sounds; the rest is silence, which makes a beeper's
    // detached notes.
    double legato = 0.85;
    double gain = 1.0;
};

// Mono samples, -1..1.
using Wave = std::vector<float>;

// Renders a tune at kRate. Every note fades in over 4 ms and out over 8 ms (shorter for
// very short notes); the oscillator's phase carries across notes.
Wave render(const std::vector<Note>& notes);

// 16-bit samples at the given peak level (0..1 of full scale), rounded, never clipped.
std::vector<int16_t> toPcm16(const Wave& wave, double peak);

// Frequency of a note named by its semitone distance from A4 (440 Hz).
double semitone(int fromA4);

}  // namespace zn::soundgen
