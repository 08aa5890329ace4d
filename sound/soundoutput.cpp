#include "sound/soundoutput.h"

#include <SDL.h>

#include "sound/sample_files.h"

namespace zn {

namespace {

constexpr int kOutputChannels = 2;

// Brings up SDL's audio and the mixer on the driver SDL_HINT_AUDIODRIVER names now, or
// the one SDL chooses. Leaves nothing open when it fails.
bool openMixer() {
    // SDL would otherwise take over SIGINT and SIGTERM, turning them into quit events that
    // nobody here reads: a sounding simulator would ignore kill and the end of a session.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // allowed_changes 0: SDL converts to exactly this format, so the mixer's buffer size
    // and rate are the ones asked for, whatever the device runs at.
    if (Mix_OpenAudioDevice(SoundOutput::kMixRate, AUDIO_S16SYS, kOutputChannels, SoundOutput::kChunkFrames,
                            nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// The mixer on one driver, whatever the environment names.
bool openMixerOn(const char* driver) {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    const bool ok = openMixer();
    // Later starts choose afresh, SDL_AUDIODRIVER honoured.
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return ok;
}

// SDL_AUDIODRIVER set to a driver: the user's choice comes before the dialog's.
bool environmentChoosesDriver() {
    const char* env = SDL_getenv("SDL_AUDIODRIVER");
    return env != nullptr && *env != '\0';
}

}  // namespace

SoundOutput::~SoundOutput() { shutDown(); }

bool SoundOutput::Snd_Start(const SoundOutputItem& output) {
    shutDown();
    if (environmentChoosesDriver()) {
        opened_ = openMixer();
    } else {
        opened_ = openMixerOn(output.sdlDriver) || openMixerOn(otherSoundDriver(output).sdlDriver);
    }
    // A machine without a usable audio device still plays the game: the samples load and
    // mix into SDL's dummy output, which discards them.
    opened_ = opened_ || openMixerOn("dummy");
    output_ = &output;
    if (opened_) Mix_AllocateChannels(kMixChannels);
    for (int i = 0; i < kSampleCount; ++i) {
        chunks_[i] = opened_ ? Mix_LoadWAV(kSampleFiles[i]) : nullptr;
    }
    return chunks_[static_cast<int>(Sample::Bonus)] != nullptr;
}

void SoundOutput::play(Sample s) {
    if (Mix_Chunk* chunk = chunks_[static_cast<int>(s)]) {
        // Every start takes a channel of its own; when all 64 are busy this start is dropped.
        Mix_PlayChannel(-1, chunk, 0);
    }
}

void SoundOutput::silence() {
    if (opened_) Mix_HaltChannel(-1);
}

void SoundOutput::shutDown() {
    for (Mix_Chunk*& chunk : chunks_) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    if (opened_) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        opened_ = false;
    }
}

bool SoundOutput::loaded(Sample s) const { return chunks_[static_cast<int>(s)] != nullptr; }

int SoundOutput::latencyMs() const {
    int rate = kMixRate;
    Uint16 format = 0;
    int channels = 0;
    if (opened_ && Mix_QuerySpec(&rate, &format, &channels) == 0) rate = kMixRate;
    return (kChunkFrames * 1000 + rate - 1) / rate;
}

}  // namespace zn
