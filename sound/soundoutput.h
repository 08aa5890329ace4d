#pragma once
// The sound layer over SDL2_mixer: the library side of Snd_Play and Snd_Silence, the
// start-up run by the splash dialog's play action and the shutdown run by the main
// window's close. The engine keeps Snd_Enabled and calls play()/silence() only while it
// is true; this class never decides whether sound is wanted.
#include <SDL_mixer.h>

#include <array>

#include "engine/services.h"
#include "sound/sound_outputs.h"

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
    // loaded stays silent.
    void play(Sample s) override;
    // Stops every channel at once.
    void silence() override;

    // Frees the eight samples in order (null ones are skipped) and closes the library
    // (nothing to close when it was never opened). Safe to call any number of times.
    void shutDown();

    bool loaded(Sample s) const;
    // True once Snd_Start has opened a device, the fallback one included.
    bool opened() const { return opened_; }
    // The output last given to Snd_Start (null before).
    const SoundOutputItem* output() const { return output_; }
    // The delay one mixing buffer adds, in milliseconds rounded up, at the mixer's rate.
    int latencyMs() const;

    static constexpr int kMixRate = 22050;
    static constexpr int kMixChannels = 64;
    // 17.4 ms at kMixRate. 256 frames (11.6 ms) left SDL's dummy and disk outputs a buffer late
    // now and then on a busy machine; 384 kept up.
    static constexpr int kChunkFrames = 384;

private:
    std::array<Mix_Chunk*, kSampleCount> chunks_{};
    bool opened_ = false;
    const SoundOutputItem* output_ = nullptr;
};

}  // namespace zn
