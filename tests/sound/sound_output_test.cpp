// SoundOutput on SDL's disk driver, which writes the mixed output (22050 Hz, S16,
// stereo) to a file in real time. Every check waits for enough output to appear, with a
// timeout, and then looks at what was written: no sleep stands in for a result.
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "sound/sample_files.h"
#include "sound/sound.h"

namespace fs = std::filesystem;
using zn::Sample;
using zn::SoundOutput;

namespace {

constexpr size_t kBytesPerSecond = 22050 * 2 * 2;
constexpr size_t kBytesPerMs = kBytesPerSecond / 1000;
// Output that may already be mixed when silence() returns: a few device buffers.
constexpr size_t kInFlight = 4 * SoundOutput::kChunkFrames * 4;

class SoundOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zn-sound-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        home_ = fs::current_path();
        fs::current_path(dir_);
        raw_ = dir_ / "out.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", raw_.c_str(), 1);
    }
    void TearDown() override {
        sound_.Snd_Shutdown();
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    // Copies the generated sounds into the working directory, leaving out `missing`.
    void installSounds(std::vector<Sample> missing = {}) {
        fs::create_directories(dir_ / zn::kSoundFolder);
        for (int i = 0; i < zn::kSampleCount; ++i) {
            bool skip = false;
            for (Sample m : missing) skip = skip || static_cast<int>(m) == i;
            if (!skip)
                fs::copy_file(fs::path(ZN_TEST_GAME_DIR) / zn::kSampleFiles[i], dir_ / zn::kSampleFiles[i]);
        }
    }

    size_t outputSize() const {
        std::error_code ec;
        const auto n = fs::file_size(raw_, ec);
        return ec ? 0 : static_cast<size_t>(n);
    }

    // The output's samples in [from, from + ms), once the driver has written that far.
    std::vector<int16_t> waitForOutput(size_t from, int ms) const {
        const size_t to = from + static_cast<size_t>(ms) * kBytesPerMs;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms + 5000);
        while (outputSize() < to) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the disk driver stopped writing at " << outputSize() << " bytes";
                return {};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream f(raw_, std::ios::binary);
        f.seekg(static_cast<std::streamoff>(from & ~size_t{3}));
        std::vector<int16_t> samples((to - from) / 2);
        f.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
        return samples;
    }

    static int peak(const std::vector<int16_t>& samples) {
        int p = 0;
        for (int16_t s : samples) p = std::max(p, std::abs(static_cast<int>(s)));
        return p;
    }

    fs::path dir_, home_, raw_;
    SoundOutput sound_;
};

TEST_F(SoundOutputTest, StartsTheMixerAt22050HzAndLoadsAllEightSamples) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(2));
    EXPECT_TRUE(sound_.opened());
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);
    EXPECT_LE(sound_.latencyMs(), 25);
    for (int i = 0; i < zn::kSampleCount; ++i) EXPECT_TRUE(sound_.loaded(static_cast<Sample>(i))) << i;
}

TEST_F(SoundOutputTest, PlayedStartTuneReachesTheOutput) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(1));
    const size_t mark = outputSize();
    EXPECT_EQ(peak(waitForOutput(mark, 200)), 0) << "output before anything was played";
    sound_.play(Sample::Start);
    EXPECT_GT(peak(waitForOutput(mark, 1000)), 5000);
}

TEST_F(SoundOutputTest, SilenceCutsEverythingAtOnce) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(1));
    sound_.play(Sample::Start);
    ASSERT_GT(peak(waitForOutput(outputSize(), 300)), 5000) << "the start tune never sounded";
    sound_.silence();
    const size_t cut = outputSize() + kInFlight;
    // The tune has 2.5 s left: without the cut this window would be loud.
    EXPECT_EQ(peak(waitForOutput(cut, 600)), 0);
}

TEST_F(SoundOutputTest, AStartDoesNotStopWhatIsPlaying) {
    installSounds();
    ASSERT_TRUE(sound_.Snd_Start(1));
    sound_.play(Sample::Start);
    for (int i = 0; i < 3; ++i) sound_.play(Sample::Pill);
    // The pills last 50 ms; the start tune still sounds well after them.
    EXPECT_GT(peak(waitForOutput(outputSize() + 300 * kBytesPerMs, 500)), 5000);
    EXPECT_GE(Mix_Playing(-1), 1);
}

TEST_F(SoundOutputTest, MissingFirstSampleFailsTheStart) {
    installSounds({Sample::Bonus});
    EXPECT_FALSE(sound_.Snd_Start(1));
    EXPECT_FALSE(sound_.loaded(Sample::Bonus));
    // The others were still loaded in order; the caller ends the application.
    EXPECT_TRUE(sound_.loaded(Sample::Start));
}

TEST_F(SoundOutputTest, MissingSoundFolderFailsTheStart) {
    EXPECT_FALSE(sound_.Snd_Start(2));
    for (int i = 0; i < zn::kSampleCount; ++i) EXPECT_FALSE(sound_.loaded(static_cast<Sample>(i))) << i;
    sound_.play(Sample::Start);
    sound_.silence();
}

TEST_F(SoundOutputTest, MissingLaterSampleStaysSilentAndTheRestPlays) {
    installSounds({Sample::Ghost});
    ASSERT_TRUE(sound_.Snd_Start(1));
    EXPECT_FALSE(sound_.loaded(Sample::Ghost));
    EXPECT_TRUE(sound_.loaded(Sample::Miss));
    sound_.play(Sample::Ghost);
    EXPECT_EQ(peak(waitForOutput(outputSize(), 400)), 0);
    sound_.play(Sample::Miss);
    EXPECT_GT(peak(waitForOutput(outputSize(), 400)), 5000);
}

TEST_F(SoundOutputTest, UnreadableSampleFileCountsAsMissing) {
    installSounds({Sample::Stage});
    std::ofstream(dir_ / zn::kSampleFiles[static_cast<int>(Sample::Stage)]) << "not a wave file";
    ASSERT_TRUE(sound_.Snd_Start(1));
    EXPECT_FALSE(sound_.loaded(Sample::Stage));
    sound_.play(Sample::Stage);
}

TEST_F(SoundOutputTest, UnusableDriverFallsBackToSilentOutput) {
    installSounds();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_TRUE(sound_.Snd_Start(2));
    EXPECT_TRUE(sound_.opened());
    EXPECT_TRUE(sound_.loaded(Sample::Start));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
    sound_.play(Sample::Start);
    // The environment's choice counts again at the next start.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    ASSERT_TRUE(sound_.Snd_Start(2));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "disk");
}

TEST_F(SoundOutputTest, ShutdownIsHarmlessBeforeStartTwiceAndRestartable) {
    installSounds();
    sound_.Snd_Shutdown();
    sound_.play(Sample::Start);
    sound_.silence();
    ASSERT_TRUE(sound_.Snd_Start(1));
    sound_.play(Sample::Start);
    sound_.Snd_Shutdown();
    sound_.Snd_Shutdown();
    EXPECT_FALSE(sound_.opened());
    EXPECT_FALSE(sound_.loaded(Sample::Start));
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the mixer is still open";
    sound_.play(Sample::Start);
    sound_.silence();
    ASSERT_TRUE(sound_.Snd_Start(2));
    EXPECT_TRUE(sound_.loaded(Sample::Start));
}

}  // namespace
