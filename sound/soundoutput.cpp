#include "sound/soundoutput.h"

#include <SDL.h>

#include <chrono>

#include "sound/libraryquiet.h"
#include "sound/sample_files.h"

namespace zn {

namespace {

constexpr int kOutputChannels = 2;

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The mixer on the audio subsystem that is up: 22050 Hz, S16, stereo, kChunkFrames.
bool openDevice() {
    // allowed_changes 0: SDL converts to exactly this format, so the mixer's buffer size
    // and rate are the ones asked for, whatever the device runs at.
    return Mix_OpenAudioDevice(SoundOutput::kMixRate, AUDIO_S16SYS, kOutputChannels,
                               SoundOutput::kChunkFrames, nullptr, 0) == 0;
}

// Brings up SDL's audio and the mixer on the driver SDL_HINT_AUDIODRIVER names now, or
// the one SDL chooses. Leaves nothing open when it fails.
bool openMixer() {
    // SDL would otherwise take over SIGINT and SIGTERM, turning them into quit events that
    // nobody here reads: a sounding simulator would ignore kill and the end of a session.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (!openDevice()) {
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
    quietAudioLibraries();
    bool opened = environmentChoosesDriver()
                      ? openMixer()
                      : openMixerOn(output.sdlDriver) || openMixerOn(otherSoundDriver(output).sdlDriver);
    // A machine without a usable audio device still plays the game: the samples load and
    // mix into SDL's dummy output, which discards them.
    opened = opened || openMixerOn("dummy");
    output_ = &output;
    {
        const std::lock_guard lock(mixer_);
        audioStarted_ = mixerOpen_ = opened;
        if (opened) {
            Mix_AllocateChannels(kMixChannels);
            watchMixing();
            loadSamples();
        }
    }
    if (opened) {
        watch_ = std::make_unique<DeviceWatch>([this] { return reopen(); },
                                               std::chrono::milliseconds(kReopenIntervalMs));
        SDL_AddEventWatch(watchDevices, this);
    }
    return loaded(Sample::Bonus);
}

// Called by SDL as each event is posted, on the thread that posts it: for a lost device,
// SDL's audio thread. Only an output device that was open counts (SDL names a device that
// was never opened with 0); the mixer's is the one output device this program opens.
int SoundOutput::watchDevices(void* self, SDL_Event* event) {
    if (event->type == SDL_AUDIODEVICEREMOVED && event->adevice.iscapture == 0 && event->adevice.which != 0)
        static_cast<SoundOutput*>(self)->watch_->lost();
    return 1;
}

bool SoundOutput::reopen() {
    const std::lock_guard lock(mixer_);
    // A lost device keeps mixing into nothing (SDL paces it), so the close does not wait
    // for the server.
    freeSamples();
    if (mixerOpen_) Mix_CloseAudio();
    // SDL's audio stays up on the driver it started with: only the device is opened again.
    mixerOpen_ = openDevice();
    if (!mixerOpen_) return false;
    Mix_AllocateChannels(kMixChannels);
    watchMixing();
    loadSamples();
    return true;
}

void SoundOutput::noteMixed(void* self, Uint8*, int) {
    static_cast<SoundOutput*>(self)->lastMixedMs_.store(nowMs(), std::memory_order_relaxed);
}

void SoundOutput::watchMixing() {
    lastMixedMs_.store(nowMs(), std::memory_order_relaxed);
    Mix_SetPostMix(noteMixed, this);
}

bool SoundOutput::stuckLocked() const {
    return mixerOpen_ && nowMs() - lastMixedMs_.load(std::memory_order_relaxed) > kStuckMs;
}

bool SoundOutput::stuck() const {
    const std::lock_guard lock(mixer_);
    return stuckLocked();
}

void SoundOutput::loadSamples() {
    for (int i = 0; i < kSampleCount; ++i) chunks_[i] = Mix_LoadWAV(kSampleFiles[i]);
}

void SoundOutput::freeSamples() {
    for (Mix_Chunk*& chunk : chunks_) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

void SoundOutput::play(Sample s) {
    const std::unique_lock lock(mixer_, std::try_to_lock);
    if (!lock.owns_lock() || stuckLocked()) return;
    if (Mix_Chunk* chunk = chunks_[static_cast<int>(s)]) {
        // Every start takes a channel of its own; when all 64 are busy this start is dropped.
        Mix_PlayChannel(-1, chunk, 0);
    }
}

void SoundOutput::silence() {
    const std::unique_lock lock(mixer_, std::try_to_lock);
    if (lock.owns_lock() && mixerOpen_) Mix_HaltChannel(-1);
}

void SoundOutput::shutDown() {
    if (watch_) {
        // No loss is reported to a watch that is gone.
        SDL_DelEventWatch(watchDevices, this);
        watch_->stop();
        watch_.reset();
    }
    const std::lock_guard lock(mixer_);
    // A stuck device would hold the close until its server goes on, if ever.
    const bool leaveOpen = stuckLocked();
    // The samples go either way: the mixer's lock is free while its thread hangs.
    if (mixerOpen_) Mix_SetPostMix(nullptr, nullptr);
    freeSamples();
    if (mixerOpen_ && !leaveOpen) Mix_CloseAudio();
    if (audioStarted_ && !leaveOpen) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mixerOpen_ = audioStarted_ = false;
}

bool SoundOutput::loaded(Sample s) const {
    const std::lock_guard lock(mixer_);
    return chunks_[static_cast<int>(s)] != nullptr;
}

bool SoundOutput::opened() const {
    const std::lock_guard lock(mixer_);
    return mixerOpen_;
}

int SoundOutput::latencyMs() const {
    int rate = kMixRate;
    Uint16 format = 0;
    int channels = 0;
    if (opened() && Mix_QuerySpec(&rate, &format, &channels) == 0) rate = kMixRate;
    return (kChunkFrames * 1000 + rate - 1) / rate;
}

}  // namespace zn
