// SoundOutput on SDL's disk driver, which writes the mixed output (22050 Hz, S16, stereo)
// to a file in real time. Checks wait, with a timeout, until enough output exists and then
// look at what was written: no sleep stands in for a result.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sound/sample_files.h"
#include "sound/soundoutput.h"

namespace fs = std::filesystem;
using zn::Sample;

namespace {

constexpr size_t kBytesPerMs = 22050 * 4 / 1000;
const zn::SoundOutputItem& kPulseAudio = zn::kSoundOutputs[0];
const zn::SoundOutputItem& kAlsa = zn::kSoundOutputs[1];

// The audio drivers asked of SDL while it lives, in order.
class DriverLog {
public:
    DriverLog() { SDL_AddHintCallback(SDL_HINT_AUDIODRIVER, record, this); }
    ~DriverLog() { SDL_DelHintCallback(SDL_HINT_AUDIODRIVER, record, this); }
    std::vector<std::string> take() { return std::exchange(tried_, {}); }

private:
    static void record(void* self, const char*, const char*, const char* value) {
        if (value != nullptr) static_cast<DriverLog*>(self)->tried_.emplace_back(value);
    }
    std::vector<std::string> tried_;
};

class SoundOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zn-sound-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        home_ = fs::current_path();
        fs::current_path(dir_);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir_ / "out.raw").c_str(), 1);
    }
    void TearDown() override {
        sound_.shutDown();
        unsetenv("PULSE_SERVER");
        unsetenv("ALSA_CONFIG_PATH");
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    // Copies the generated sounds into the working directory, all but `missing`.
    void installSounds(int missing = -1) {
        fs::create_directories(dir_ / zn::kSoundFolder);
        for (int i = 0; i < zn::kSampleCount; ++i)
            if (i != missing)
                fs::copy_file(fs::path(ZN_TEST_GAME_DIR) / zn::kSampleFiles[i], zn::kSampleFiles[i]);
    }

    size_t written() const {
        std::error_code ec;
        const auto n = fs::file_size(dir_ / "out.raw", ec);
        return ec ? 0 : static_cast<size_t>(n);
    }

    // The loudest sample of the output in [from, from + ms), once the driver wrote that far.
    int peakOf(size_t from, int ms) const {
        const size_t to = from + ms * kBytesPerMs;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms + 5000);
        while (written() < to) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the disk driver stopped writing at " << written() << " bytes";
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream f(dir_ / "out.raw", std::ios::binary);
        f.seekg(static_cast<std::streamoff>(from));
        std::vector<int16_t> s((to - from) / 2);
        f.read(reinterpret_cast<char*>(s.data()), static_cast<std::streamsize>(s.size() * 2));
        int peak = 0;
        for (int16_t v : s) peak = std::max(peak, std::abs(int{v}));
        return peak;
    }

    fs::path dir_, home_;
    zn::SoundOutput sound_;
};

TEST_F(SoundOutputTest, OpensTheMixerAsAskedAndLoadsAllEightSamples) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(kPulseAudio));
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);
    EXPECT_LE(sound_.latencyMs(), 18);
    for (int i = 0; i < zn::kSampleCount; ++i) EXPECT_TRUE(sound_.loaded(Sample(i))) << i;
}

TEST_F(SoundOutputTest, StartTuneSoundsUntilSilenceCutsIt) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    EXPECT_EQ(peakOf(written(), 200), 0) << "output before anything was played";
    sound_.play(Sample::Start);
    ASSERT_GT(peakOf(written(), 400), 5000);
    sound_.silence();
    // Skip what may already be mixed (a few buffers); the tune has 2.5 s left, so without
    // the cut this window would be loud.
    EXPECT_EQ(peakOf(written() + 4 * 4 * zn::SoundOutput::kChunkFrames, 600), 0);
}

TEST_F(SoundOutputTest, AStartDoesNotStopWhatIsPlaying) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    sound_.play(Sample::Start);
    for (int i = 0; i < 3; ++i) sound_.play(Sample::Pill);
    // The pills last 50 ms; the start tune still sounds well after them.
    EXPECT_GT(peakOf(written() + 300 * kBytesPerMs, 500), 5000);
}

TEST_F(SoundOutputTest, MissingFirstSampleFailsTheStart) {
    installSounds(int(Sample::Bonus));
    EXPECT_FALSE(sound_.Snd_Start(kAlsa));
    EXPECT_FALSE(sound_.loaded(Sample::Bonus));
}

TEST_F(SoundOutputTest, MissingLaterSampleStaysSilentAndTheRestPlays) {
    installSounds(int(Sample::Ghost));
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    EXPECT_FALSE(sound_.loaded(Sample::Ghost));
    sound_.play(Sample::Ghost);
    EXPECT_EQ(peakOf(written(), 400), 0);
    sound_.play(Sample::Miss);
    EXPECT_GT(peakOf(written(), 400), 5000);
}

TEST_F(SoundOutputTest, UnusableDriverFallsBackToSilentOutput) {
    installSounds();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_TRUE(sound_.Snd_Start(kPulseAudio));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
    // The environment's choice counts again at the next start.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    ASSERT_TRUE(sound_.Snd_Start(kPulseAudio));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
}

TEST_F(SoundOutputTest, EachOutputOpensItsDriverThenTheOtherThenSilence) {
    installSounds();
    unsetenv("SDL_AUDIODRIVER");
    setenv("PULSE_SERVER", "unix:/nonexistent", 1);                       // no PulseAudio to reach
    std::ofstream(dir_ / "null.conf") << "pcm.!default { type null }\n";  // an ALSA device that discards
    std::ofstream(dir_ / "none.conf") << "\n";                            // no ALSA device
    setenv("ALSA_CONFIG_PATH", (dir_ / "null.conf").c_str(), 1);
    DriverLog log;
    using Tried = std::vector<std::string>;

    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    EXPECT_EQ(log.take(), Tried{"alsa"});
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "alsa");
    ASSERT_TRUE(sound_.Snd_Start(kPulseAudio));
    EXPECT_EQ(log.take(), (Tried{"pulseaudio", "alsa"}));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "alsa");

    setenv("ALSA_CONFIG_PATH", (dir_ / "none.conf").c_str(), 1);
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    EXPECT_EQ(log.take(), (Tried{"alsa", "pulseaudio", "dummy"}));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
}

TEST_F(SoundOutputTest, ShutdownIsHarmlessBeforeStartAndTwice) {
    installSounds();
    sound_.shutDown();
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    sound_.play(Sample::Start);
    sound_.shutDown();
    sound_.shutDown();
    EXPECT_FALSE(sound_.loaded(Sample::Start));
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the mixer is still open";
    sound_.play(Sample::Start);
    sound_.silence();
}

// A device that stops taking its output: the disk driver writing into a pipe that nobody
// reads hangs in its write once the pipe is full, as SDL's mixing thread hangs on a sound
// server that stopped without ending.
TEST_F(SoundOutputTest, AStuckDeviceStartsNothingAndIsNotWaitedFor) {
    installSounds();
    const fs::path pipe = dir_ / "out.pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // lets the driver open it
    ASSERT_GE(reader, 0);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
    ASSERT_TRUE(sound_.Snd_Start(kAlsa));
    sound_.play(Sample::Start);
    EXPECT_EQ(Mix_Playing(-1), 1) << "a device that takes its output plays";
    sound_.silence();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!sound_.stuck() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(sound_.stuck());
    sound_.play(Sample::Start);
    EXPECT_EQ(Mix_Playing(-1), 0) << "a start on a stuck device would come out late";
    sound_.shutDown();  // closing the device would wait for the pipe for ever
    EXPECT_FALSE(sound_.opened());

    // The pipe's end lets the driver's write fail; the device left open is closed here.
    const auto oldPipeAction = std::signal(SIGPIPE, SIG_IGN);
    close(reader);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    std::signal(SIGPIPE, oldPipeAction);
}

}  // namespace
