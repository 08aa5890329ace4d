#pragma once
// One game of the web edition, free of any toolkit: the engine on the virtual clock, with a
// figure table that remembers which images changed, a queue of sound events and the ghosts'
// generator seeded as the script driver's `seed N`. The page owns the real clock, the canvas
// and the speakers; it advances this clock, redraws the changed images and plays the queue.
// The game runs under a replay::Session: it records from power-on, or plays a recording the
// page opened, holds at its end and hands over at the player's first press.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/controls.h"
#include "ui/pace.h"
#include "engine/figure_table.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/virtual_clock.h"
#include "replay/recording.h"
#include "replay/session.h"

namespace zn::web {

// A seed or a time the page passes as a JavaScript number: a whole one from 0 to 2^53 - 1 (the
// page's safe integers); nullopt for any other (negative, fractional, not a number, too large).
std::optional<std::uint64_t> wholeNumberFromPage(double v);

// The figures as the engine leaves them, and the images whose visibility or picture changed
// since the owner last took the list, each listed once.
class ChangeTrackingFigures : public FigureService {
public:
    ChangeTrackingFigures();

    void setVisible(ImageId id, bool visible) override;
    void copyPicture(ImageId dst, ImageId src) override;
    void clearPicture(ImageId id) override;

    const FigureTable& table() const { return table_; }
    // The changed images in the order they first changed; the list starts again empty.
    std::vector<int> takeChanged();

private:
    void changed(ImageId id);

    FigureTable table_;
    std::array<bool, kImageCount> marked_{};
    std::vector<int> changed_;
};

// A sound event as the page plays it: a sample 0..7 in Sample order, or kSilence.
constexpr int kSilence = -1;

class QueuedSound : public SoundService {
public:
    void play(Sample s) override { events_.push_back(static_cast<int>(s)); }
    void silence() override { events_.push_back(kSilence); }
    // The events since the last call, in order; the queue starts again empty.
    std::vector<int> take();

private:
    std::vector<int> events_;
};

class WebGame {
public:
    explicit WebGame(std::uint64_t seed = 0);

    // A new game state as at the window's creation (Mode_Off), every image listed as changed,
    // the sound queue empty, the clock at 0 and the ghosts' generator seeded with seed; what
    // reaches the game is recorded from here. Whether sound is enabled carries over: it is the
    // page's choice of a sound output.
    void reset(std::uint64_t seed);
    // A recording's text read and played from a new game state as reset makes it (recording
    // again from there, so that a take-over is kept). Refused with the reader's line and reason
    // (the game going on untouched). It plays at its own speed.
    std::optional<replay::ReadProblem> open(std::string_view text);
    // The recording since the last reset or open, ending now, as a file holds it.
    std::string recordingText() const;
    replay::Session::Phase phase() const { return device_->session.phase(); }
    // Snd_Enabled, as the sound start-up sets it; off until the page chooses an output.
    void setSoundEnabled(bool on);

    // The player's presses and releases: ignored while a recording plays; at its hold the first
    // press hands the game over. Power has no release.
    void press(Control c) { device_->session.input(c, true); }
    void release(Control c) { device_->session.input(c, false); }
    // Moves the virtual clock on by ms (negative counts as 0), firing every due timer and playing
    // every recorded event on the way; a recording's end stops the clock.
    void advance(std::int64_t ms);
    // Real milliseconds (the page's frames): the game moves on by them at its speed.
    void advanceReal(std::int64_t ms) { advance(pace_.gameMs(ms)); }
    std::int64_t now() const { return device_->clock.now(); }
    // The game's pace in percent (settings/settingrules.h: kSpeeds): the page's stored choice,
    // or a recording's own while it is open; a recording made is written with it.
    int speed() const { return pace_.speed(); }
    void setSpeed(int percent) { pace_.setSpeed(percent); }

    const Game& game() const { return device_->game; }
    const TimerService& timers() const { return device_->clock; }
    const FigureTable& figures() const { return device_->figures.table(); }
    std::vector<int> takeChanged() { return device_->figures.takeChanged(); }
    std::vector<int> takeSounds() { return device_->sound.take(); }

private:
    struct Device {
        VirtualClock clock;
        ChangeTrackingFigures figures;
        QueuedSound sound;
        QueuedRandom random{0};  // seeded by the session
        Game game{clock, figures, sound, random};
        replay::GameControls controls{game};
        replay::Session session;
        explicit Device(replay::Session::Options o) : session(clock, game, random, controls, std::move(o)) {}
    };
    void start(replay::Session::Options options);

    std::unique_ptr<Device> device_;
    bool soundEnabled_ = false;
    Pace pace_;
};

}  // namespace zn::web
