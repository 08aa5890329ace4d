#include "tools/soundgen/sounds.h"

#include "sound/sample_files.h"

namespace zn::soundgen {

namespace {

// Semitones from A4 of the notes the tunes use.
enum Pitch : int {
    C5 = 3,
    E5 = 7,
    F5 = 8,
    G5 = 10,
    A5 = 12,
    B5 = 14,
    C6 = 15,
    D6 = 17,
    E6 = 19,
    F6 = 20,
    G6 = 22,
    A6 = 24,
    B6 = 26,
    C7 = 27,
    E7 = 31,
    G7 = 34,
};

Note tone(int pitch, double ms, double legato = 0.85) { return {semitone(pitch), ms, 0.0, legato}; }
Note glide(double fromHz, double toHz, double ms, double legato = 0.85) { return {fromHz, ms, toHz, legato}; }
Note rest(double ms) { return {0.0, ms}; }

// Bonus star: a quick sparkle climbing three times, under a second.
std::vector<Note> bonus() {
    std::vector<Note> t;
    const int steps[][4] = {{C6, E6, G6, C7}, {E6, G6, C7, E7}, {G6, C7, E7, G7}};
    for (const auto& run : steps)
        for (int p : run) t.push_back(tone(p, 45, 0.8));
    t.push_back(tone(E7, 70, 0.8));
    t.push_back(tone(C7, 220, 0.9));
    return t;
}

// Energizer: one rising "wup", short enough to restart cleanly every 120 ms tick.
std::vector<Note> energizer() { return {glide(700, 1400, 100, 0.9)}; }

// Eaten ghost: four chirps, each starting and ending higher.
std::vector<Note> ghost() {
    return {glide(600, 1500, 110), glide(750, 1800, 110), glide(900, 2100, 110), glide(1100, 2600, 110),
            glide(2600, 3000, 60, 0.9)};
}

// Miss: a falling run of short slides down to a low final note.
std::vector<Note> miss() {
    return {glide(1400, 1150, 90), glide(1150, 950, 90), glide(950, 780, 90),
            glide(780, 640, 90),   glide(640, 520, 90),  glide(520, 330, 120, 0.95)};
}

// Pills: a short blip, lower while the ghosts flee.
std::vector<Note> pill() { return {glide(1480, 1660, 50, 0.9)}; }
std::vector<Note> pillAlt() { return {glide(1050, 1180, 50, 0.9)}; }

// Stage cleared: two rising calls and a held top note, 2.5 s of the 3.2 s pause.
std::vector<Note> stage() {
    return {tone(G5, 100),      tone(C6, 100), tone(E6, 100),      tone(G6, 300), tone(E6, 100),
            tone(G6, 400, 0.9), rest(100),     tone(A5, 100),      tone(D6, 100), tone(F6, 100),
            tone(A6, 200),      tone(B6, 100), tone(C7, 600, 0.95)};
}

// Power-on tune: 2.9 s, so that it ends as the 2980 ms power-on pause does.
std::vector<Note> start() {
    constexpr double u = 110;
    std::vector<Note> t = {
        tone(C5, u),     tone(E5, u), tone(G5, u), tone(C6, 2 * u), tone(G5, u),     tone(C6, u),
        tone(E6, 2 * u), tone(F5, u), tone(A5, u), tone(C6, u),     tone(F6, 2 * u), tone(E6, u),
        tone(D6, u),     tone(C6, u), tone(B5, u), tone(G5, u),     tone(B5, u),     tone(D6, u),
    };
    double used = 0;
    for (const Note& n : t) used += n.ms;
    t.push_back(tone(C6, 2900 - used, 0.95));
    return t;
}

}  // namespace

std::vector<DeviceSound> deviceSounds() {
    return {
        {kSampleFiles[0], bonus(), 0.45}, {kSampleFiles[1], energizer(), 0.4},
        {kSampleFiles[2], ghost(), 0.45}, {kSampleFiles[3], miss(), 0.45},
        {kSampleFiles[4], pill(), 0.4},   {kSampleFiles[5], pillAlt(), 0.4},
        {kSampleFiles[6], stage(), 0.45}, {kSampleFiles[7], start(), 0.45},
    };
}

}  // namespace zn::soundgen
