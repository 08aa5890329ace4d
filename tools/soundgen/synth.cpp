#include "tools/soundgen/synth.h"

#include <algorithm>
#include <cmath>

namespace zn::soundgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAttackMs = 4.0;
constexpr double kReleaseMs = 8.0;
// Harmonics fade out between these two frequencies: above they would alias and sound
// harsh, and a harmonic switched off abruptly while the pitch glides would click.
constexpr double kFadeHz = 7000.0;
constexpr double kTopHz = 9500.0;

// One period of the rounded square at the given phase (radians) for a fundamental of hz.
double roundedSquare(double phase, double hz) {
    double sum = 0.0;
    for (int k = 1; k * hz < kTopHz; k += 2) {
        const double fade = std::clamp((kTopHz - k * hz) / (kTopHz - kFadeHz), 0.0, 1.0);
        // 1/k is a true square; the extra roll-off softens its edges.
        sum += std::sin(k * phase) / k * std::pow(0.72, (k - 1) / 2) * fade;
    }
    return sum;
}

// Raised-cosine ramp, 0 at x <= 0 and 1 at x >= 1.
double ramp(double x) {
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * x);
}

}  // namespace

double semitone(int fromA4) { return 440.0 * std::pow(2.0, fromA4 / 12.0); }

Wave render(const std::vector<Note>& notes) {
    Wave out;
    double phase = 0.0;
    for (const Note& n : notes) {
        const auto total = static_cast<size_t>(std::lround(n.ms * kRate / 1000.0));
        const auto sounding = n.hz > 0.0 ? static_cast<size_t>(std::lround(total * n.legato)) : 0;
        const double len = static_cast<double>(sounding);
        // Short blips get proportionally shorter edges so that they still reach full level.
        const double attack = std::min(kAttackMs * kRate / 1000.0, len / 4);
        const double release = std::min(kReleaseMs * kRate / 1000.0, len / 3);
        for (size_t i = 0; i < total; ++i) {
            if (i >= sounding) {
                out.push_back(0.0f);
                continue;
            }
            const double t = len > 1 ? i / (len - 1) : 0.0;
            const double hz = n.to_hz > 0.0 ? n.hz * std::pow(n.to_hz / n.hz, t) : n.hz;
            phase = std::fmod(phase + 2 * kPi * hz / kRate, 2 * kPi);
            const double env = ramp(i / attack) * ramp((len - 1 - i) / release);
            out.push_back(static_cast<float>(roundedSquare(phase, hz) * env * n.gain));
        }
    }
    return out;
}

std::vector<int16_t> toPcm16(const Wave& wave, double peak) {
    float top = 0.0f;
    for (float s : wave) top = std::max(top, std::fabs(s));
    const double scale = top > 0.0f ? peak * 32767.0 / top : 0.0;
    std::vector<int16_t> pcm;
    pcm.reserve(wave.size());
    for (float s : wave) {
        const double v = std::clamp(std::round(s * scale), -32767.0, 32767.0);
        pcm.push_back(static_cast<int16_t>(v));
    }
    return pcm;
}

}  // namespace zn::soundgen
