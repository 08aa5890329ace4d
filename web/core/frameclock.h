#pragma once
// The page's game time: every animation frame moves the game's virtual clock on by the real
// time since the frame before, so the 120 ms tick keeps its rhythm at any refresh rate. After a
// stall (a busy main thread, a debugger) it catches up by at most kMaxCatchUpMs: the game slows
// down for a moment rather than running many ticks at once. While the clock stands (a hidden
// tab, a modal dialog) a frame only forgets the time, so the game goes on from where it stood.
#include <cstdint>
#include <optional>

namespace zn::web {

class FrameClock {
public:
    static constexpr double kMaxCatchUpMs = 250;

    // The whole milliseconds the game moves on at a frame at real time t (ms); none while the
    // clock stands (running false). The parts of a millisecond are kept for later frames.
    std::int64_t frame(double t, bool running);
    // The time since the last frame is not played: the next frame only notes its time.
    void restart() { last_.reset(); }

private:
    std::optional<double> last_;
    double carry_ = 0;
};

}  // namespace zn::web
