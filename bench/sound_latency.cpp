// zn-sound-latency: the buffer delay between Snd_Play and the output, from the mixer's
// settings, before and after the sound start-up. Run it in the game folder (the samples
// are loaded from Sound/); SDL_AUDIODRIVER is honoured.
#include <SDL.h>

#include <cstdio>

#include "sound/soundoutput.h"

int main() {
    zn::SoundOutput out;
    const int configured = out.latencyMs();
    const bool started = out.Snd_Start(zn::kSoundOutputs[0]);
    const char* driver = SDL_GetCurrentAudioDriver();
    std::printf("configured %d ms (%d frames at %d Hz)\n", configured, zn::SoundOutput::kChunkFrames,
                zn::SoundOutput::kMixRate);
    std::printf("opened %s driver %s latency %d ms\n", started ? "yes" : "no", driver ? driver : "none",
                out.latencyMs());
    out.shutDown();
    return started ? 0 : 1;
}
