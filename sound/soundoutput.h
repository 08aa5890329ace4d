#pragma once
// The sound layer over SDL2_mixer: the library side of Snd_Play and Snd_Silence, the
// start-up run by the splash dialog's play action and the shutdown run by the main
// window's close. The engine keeps Snd_Enabled and calls play()/silence() only while it
// is true; this class never decides whether sound is wanted.
//
// A device that goes away while the game runs (the sound server stops or restarts, a
// card is unplugged) comes back by itself: SDL reports the loss from its audio thread,
// and a DeviceWatch closes the mixer and reopens it on the same driver every
// kReopenIntervalMs until that works, then loads the samples again. Meanwhile the game
// goes on silently: play() and silence() never wait, they skip while the watch holds the
// mixer. The stored choice of output is not touched. SDL 2.26 reports a sound server
// that ends as a removed device and from then on mixes into nothing at the device's pace,
// so nothing waits for the missing server. A server that hangs without ending holds
// SDL's mixing thread instead, until it goes on or ends: once no buffer has been mixed for
// kStuckMs, play() starts nothing (what it started would come out late, all at once, when
// the server goes on) and shutDown() leaves the device to the end of the process rather
// than wait for it.
#include <SDL_mixer.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "engine/services.h"
#include "sound/devicewatch.h"
#include "sound/sound_outputs.h"

union SDL_Event;

namespace zn {

class SoundOutput : public SoundService {
public:
    SoundOutput() = default;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;
    ~SoundOutput() override;

    // Opens the mixer (22050 Hz, S16, 64 channels, a buffer of kChunkFrames) on the SDL
    // driver of output (PulseAudio or ALSA, never "(no sound)"); when that does not open,
    // on the other one of the two. SDL_AUDIODRIVER in the environment overrides both. When
    // no device opens at all the mixer runs on SDL's "dummy" driver instead, so the
    // samples still load and the game runs silently. Then loads the eight samples in order
    // from kSampleFiles, relative to the working directory. Returns false when the first
    // sample (Bonus) could not be loaded; the caller shows the message. A second call
    // starts over from scratch.
    bool Snd_Start(const SoundOutputItem& output);

    // Starts the sample on a free channel, over whatever plays. A sample that is not
    // loaded stays silent, and so does every sample while the device is being reopened.
    void play(Sample s) override;
    // Stops every channel at once.
    void silence() override;

    // Frees the eight samples in order (null ones are skipped) and closes the library
    // (nothing to close when it was never opened). Safe to call any number of times. Waits
    // for a reopen attempt that is running, never for a stuck device.
    void shutDown();

    bool loaded(Sample s) const;
    // True once Snd_Start has opened a device, the fallback one included, and again once
    // a lost device has been reopened.
    bool opened() const;
    // The output last given to Snd_Start (null before).
    const SoundOutputItem* output() const { return output_; }
    // True while the open device has not taken a buffer for kStuckMs.
    bool stuck() const;
    // The delay one mixing buffer adds, in milliseconds rounded up, at the mixer's rate.
    int latencyMs() const;

    static constexpr int kMixRate = 22050;
    static constexpr int kMixChannels = 64;
    // 17.4 ms at kMixRate. 256 frames (11.6 ms) left SDL's dummy and disk outputs a buffer late
    // now and then on a busy machine; 384 kept up.
    static constexpr int kChunkFrames = 384;
    // Between two attempts to reopen a lost device: a server that is back is heard again
    // within about this long.
    static constexpr int kReopenIntervalMs = 500;
    // A device that has taken no buffer for this long hangs: a buffer lasts 17 ms, and a
    // busy machine delays one by far less.
    static constexpr int kStuckMs = 2000;

private:
    static int watchDevices(void* self, SDL_Event* event);
    // After each buffer, on SDL's mixing thread.
    static void noteMixed(void* self, Uint8* stream, int len);
    // After each opening of the device: the mixing is watched from now on.
    void watchMixing();
    bool stuckLocked() const;
    // On the watch's thread: the mixer closed and opened again on the driver that is up,
    // the samples loaded again. True when the device is open.
    bool reopen();
    void loadSamples();
    void freeSamples();

    // Held by whoever calls into the mixer: the game's thread only tries it.
    mutable std::mutex mixer_;
    std::array<Mix_Chunk*, kSampleCount> chunks_{};
    bool audioStarted_ = false;  // SDL's audio subsystem, ours to quit
    bool mixerOpen_ = false;
    const SoundOutputItem* output_ = nullptr;
    std::unique_ptr<DeviceWatch> watch_;
    std::atomic<std::int64_t> lastMixedMs_{0};  // steady clock
};

}  // namespace zn
