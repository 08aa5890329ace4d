#pragma once
// The game's time line under a recording, for any host: the host owns the real clock and
// hands this the milliseconds that pass; this moves the game's virtual clock, plays the
// recording's presses and releases at their engine times, holds at the recording's end
// (the clock stops, the figures stay), hands the game to the player at the first press
// after that, and records what reaches the game. A press or release at engine time T
// comes after every timer event due at or before T, in the recorder and in the player
// alike, which is what makes a replay exact.
#include <cstdint>
#include <optional>

#include "controls/controls.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/virtual_clock.h"
#include "replay/recording.h"

namespace zn::replay {

// Notes presses and releases at their engine times. Left out, as they change nothing: power's
// release, and a press of a joystick direction already held; and anything past kMaxTimeMs.
class Recorder {
public:
    explicit Recorder(std::uint64_t seed) { r_.seed = seed; }
    void note(std::int64_t time, Control c, bool press);
    // The recording so far, ending at `end` (kept within kMaxTimeMs).
    Recording upTo(std::int64_t end) const;
    const Recording& sofar() const { return r_; }

private:
    Recording r_;
    bool held_[4] = {};  // up, left, right, down, as the recorded events leave them
};

// The game's own operations of the controls, for a host with nothing more to do on a press.
class GameControls : public InputOperations {
public:
    explicit GameControls(Game& game) : game_(game) {}
    void press(Control c) override { pressOnGame(game_, c); }
    void release(Control c) override { releaseOnGame(game_, c); }

private:
    Game& game_;
};

class Session {
public:
    enum class Phase { Live, Playing, Held };
    struct Options {
        std::optional<Recording> replay;  // played from the start when set
        bool record = false;              // record what reaches the game
        std::uint64_t seed = 0;           // the ghosts' seed when nothing is replayed
    };

    // clock, game and random: a game as the window creates it, clock at 0. controls: where the
    // presses and releases that reach the game go (the host's own operations, which call
    // pressOnGame and releaseOnGame). Seeds random with the recording's seed or options.seed.
    Session(VirtualClock& clock, Game& game, QueuedRandom& random, InputOperations& controls,
            Options options);

    // Moves the game's clock on by ms, firing every timer and playing every recorded event due
    // on the way. While a recording plays, the clock stops at its end; while held, nothing moves.
    void advance(std::int64_t ms);
    // A player's press or release. Ignored while a recording plays and, but for a press, while
    // held; the first press at the hold hands the game over. Returns whether it reached the game.
    bool input(Control c, bool press);

    Phase phase() const { return phase_; }
    std::int64_t now() const { return clock_.now(); }
    // Milliseconds until the next timer event or recorded event; nothing while held or idle.
    std::optional<std::int64_t> untilNext() const;
    // What has been recorded, ending now; nothing when not recording.
    std::optional<Recording> recorded() const;

private:
    void apply(const Event& e);
    void runTo(std::int64_t time);

    VirtualClock& clock_;
    Game& game_;
    InputOperations& controls_;
    std::optional<Recording> replay_;
    std::size_t next_ = 0;  // the replay's next event
    std::optional<Recorder> recorder_;
    Phase phase_ = Phase::Live;
};

}  // namespace zn::replay
