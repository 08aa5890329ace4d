#pragma once
// The four services the game engine calls. The engine owns these interfaces; the
// window, the sound layer and the tests implement them.
#include <cstdint>

#include "engine/images.h"

namespace zn {

// The six timers of the main window. Their events come back, one at a time, through
// Game::onTimer (which runs the matching Timer_...Timer handler).
enum class TimerId { Game, Demo_Start, Bonus_Star, Ghost, Miss, Stage_Complete };
constexpr int kTimerCount = 6;

class TimerService {
public:
    virtual ~TimerService() = default;
    // A new interval given to an enabled timer restarts its period.
    virtual void setInterval(TimerId t, int ms) = 0;
    // Enabling an enabled timer changes nothing; the first event comes one interval after enabling.
    virtual void setEnabled(TimerId t, bool on) = 0;
    virtual int interval(TimerId t) const = 0;
    virtual bool enabled(TimerId t) const = 0;
};

class FigureService {
public:
    virtual ~FigureService() = default;
    virtual void setVisible(ImageId id, bool visible) = 0;
    // Replace dst's picture by a copy of src's picture.
    virtual void copyPicture(ImageId dst, ImageId src) = 0;
    // Give the image an empty picture.
    virtual void clearPicture(ImageId id) = 0;
};

// The eight samples, in the order they are loaded.
enum class Sample { Bonus, Energizer, Ghost, Miss, Pill, Pill_Alt, Stage, Start };
constexpr int kSampleCount = 8;

class SoundService {
public:
    virtual ~SoundService() = default;
    virtual void play(Sample s) = 0;  // start on a free channel, over whatever plays
    virtual void silence() = 0;       // stop every channel
};

class RandomService {
public:
    virtual ~RandomService() = default;
    // A value 0..3. Sources drawing freely must be uniform: the ghosts draw until a value fits.
    virtual int draw4() = 0;
};

}  // namespace zn
