#pragma once
// One game of the web edition, free of any toolkit: the engine on the virtual clock, with a
// figure table that remembers which images changed, a queue of sound events and the ghosts'
// generator seeded as the script driver's `seed N`. The page owns the real clock, the canvas
// and the speakers; it advances this clock, redraws the changed images and plays the queue.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/figure_table.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/virtual_clock.h"
#include "controls/controls.h"

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
    // the sound queue empty, the clock at 0 and the ghosts' generator seeded with seed. Whether
    // sound is enabled carries over: it is the page's choice of a sound output.
    void reset(std::uint64_t seed);
    // Snd_Enabled, as the sound start-up sets it; off until the page chooses an output.
    void setSoundEnabled(bool on);

    // The game's own operations of the controls; power has no release.
    void press(Control c) { pressOnGame(device_->game, c); }
    void release(Control c) { releaseOnGame(device_->game, c); }
    // Moves the virtual clock on by ms (negative counts as 0), firing every due timer.
    void advance(std::int64_t ms);
    std::int64_t now() const { return device_->clock.now(); }

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
        QueuedRandom random;
        Game game{clock, figures, sound, random};
        explicit Device(std::uint64_t seed) : random(seed) {}
    };
    std::unique_ptr<Device> device_;
    bool soundEnabled_ = false;
};

}  // namespace zn::web
