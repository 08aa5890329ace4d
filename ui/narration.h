#pragma once
// What the device's figures mean, in words, for a player who cannot see them: the narrator
// watches the game's state (never the pixels) and says what changed, and on demand the whole
// state. Both front ends speak its words: the desktop through its accessibility events, the
// page through a live region. Every wording is in the table of narration.cpp.
#include <cstdint>
#include <string>
#include <vector>

namespace zn {

class Game;

// The part of the game's state the narrator reads.
struct NarratedState {
    std::int32_t mode = 0;   // Gam_Mode
    std::int32_t score = 0;  // Gam_Score
    std::int32_t lives = 0;  // Gam_Lives: spare lives, -1 once the last one is lost
    std::int32_t stage = 0;  // Gam_Stage

    static NarratedState of(const Game& game);
};

struct Utterance {
    std::string text;
    bool urgent = false;  // game over: said at once, over anything being said
};

class Narrator {
public:
    // The score is said at most this often while it changes; its last value once it rests.
    static constexpr std::int64_t kScoreIntervalMs = 2000;

    // What changed since the last call, in the order it happened; nowMs is the engine's clock.
    // The first call only takes the state in.
    std::vector<Utterance> observe(const NarratedState& s, std::int64_t nowMs);

    // The whole state in one sentence (F8).
    static std::string describe(const NarratedState& s);
    // The game's speed, said when it changes (percent).
    static std::string speedWords(int percent);

private:
    bool started_ = false;
    NarratedState last_;
    std::int32_t spokenScore_ = 0;
    std::int64_t spokenScoreAt_ = 0;
};

}  // namespace zn
