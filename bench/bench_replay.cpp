// Recordings: the size of ten minutes of busy play as a file and as a link, and the time to
// read a one-hour recording.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <string>

#include "engine/headless_game.h"
#include "replay/recording.h"
#include "replay/session.h"

namespace zn {
namespace {

// Busy play, recorded: game 2 from the power switch on, the joystick moved to another
// direction four times a second on average (every 150 to 350 ms: the old direction let go and
// the new one held at the same moment, as a stick moves), start pressed again at each game
// over; with the seed of the ghosts and of the hand.
replay::Recording busyPlay(std::int64_t minutes) {
    HeadlessGame d(20261208);
    d.sound.keepCalls = false;
    replay::Recorder recorder(20261208);
    auto press = [&](Control c, bool down) {
        down ? pressOnGame(d.game, c) : releaseOnGame(d.game, c);
        recorder.note(d.clock.now(), c, down);
    };
    press(Control::Power, true);
    d.run(2980);
    for (Control c : {Control::Select, Control::Select, Control::Start}) {
        press(c, true);
        press(c, false);
    }
    std::mt19937 hand(7);
    const Control directions[] = {Control::Up, Control::Left, Control::Right, Control::Down};
    Control held = Control::Up;
    press(held, true);
    while (d.clock.now() < minutes * 60 * 1000) {
        d.run(150 + static_cast<std::int64_t>(hand() % 201));
        Control next = directions[hand() % 4];
        if (next == held) next = directions[(static_cast<int>(next) - static_cast<int>(Control::Up) + 1) % 4];
        press(held, false);
        press(next, true);
        held = next;
        if (d.game.Gam_Mode >= Mode_Game_Over_1 && d.game.Gam_Mode <= Mode_Game_Over_4) {
            press(Control::Start, true);
            press(Control::Start, false);
        }
    }
    return recorder.upTo(d.clock.now());
}

// DEFLATE without a header (zlib's raw format, window bits -15, the default level), as
// CompressionStream('deflate-raw') writes it, then base64url without padding.
std::string linkData(const std::string& text) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&z, text.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (unsigned char c : packed) {
        bits = (bits << 8) | c;
        count += 8;
        while (count >= 6) out += kAlphabet[(bits >> (count -= 6)) & 63];
    }
    if (count > 0) out += kAlphabet[(bits << (6 - count)) & 63];
    return out;
}

// Ten minutes of busy play: the recording's bytes (target 24 KB) and its link's (8 KB).
void BM_TenBusyMinutesSize(benchmark::State& state) {
    const replay::Recording r = busyPlay(10);
    std::string text, link;
    for (auto _ : state) {
        text = replay::writeRecording(r);
        link = linkData(text);
    }
    state.counters["events"] = static_cast<double>(r.events.size());
    state.counters["recording_bytes"] = static_cast<double>(text.size());
    state.counters["link_bytes"] = static_cast<double>(link.size());
}
BENCHMARK(BM_TenBusyMinutesSize)->Unit(benchmark::kMillisecond);

// Reading an hour of busy play (target 50 ms).
void BM_ReadOneHour(benchmark::State& state) {
    const std::string text = replay::writeRecording(busyPlay(60));
    for (auto _ : state) {
        const replay::ReadResult r = replay::readRecording(text);
        if (!r.recording) state.SkipWithError(r.problem.reason.c_str());
        benchmark::DoNotOptimize(r);
    }
    state.counters["recording_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadOneHour)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zn
BENCHMARK_MAIN();
