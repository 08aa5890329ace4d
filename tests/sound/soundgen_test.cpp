// The generated sounds: lengths that fit their moments in the game, clean edges, levels
// that leave room for overlapping starts, pitch where it carries meaning, and the files
// the build writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sound/sample_files.h"
#include "tools/soundgen/sounds.h"
#include "tools/soundgen/wav.h"

namespace {

using namespace zn::soundgen;

struct Rendered {
    std::string file;
    std::vector<int16_t> pcm;
    double peak;
};

std::vector<Rendered> renderAll() {
    std::vector<Rendered> out;
    for (const DeviceSound& s : deviceSounds())
        out.push_back({s.file, toPcm16(render(s.tune), s.peak), s.peak});
    return out;
}

double ms(const std::vector<int16_t>& pcm) { return pcm.size() * 1000.0 / kRate; }

// Mean frequency from the rising zero crossings in [begin, end).
double pitchHz(const std::vector<int16_t>& pcm, size_t begin, size_t end) {
    int crossings = 0;
    for (size_t i = begin + 1; i < end; ++i) crossings += pcm[i - 1] < 0 && pcm[i] >= 0;
    return crossings * static_cast<double>(kRate) / (end - begin);
}

TEST(SoundGen, EachSoundFitsTheMomentItIsPlayedIn) {
    const std::vector<Rendered> all = renderAll();
    ASSERT_EQ(all.size(), zn::kSampleFiles.size());
    struct Limit {
        double minMs, maxMs;
    };
    // Bonus, Energizer, Ghost, Miss, Pill, Pill_Alt, Stage, Start.
    const Limit limits[] = {{300, 1000}, {40, 119}, {200, 599},   {200, 599},
                            {20, 99},    {20, 99},  {1000, 3200}, {2800, 2979}};
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].file, zn::kSampleFiles[i]);
        EXPECT_GE(ms(all[i].pcm), limits[i].minMs) << all[i].file;
        EXPECT_LE(ms(all[i].pcm), limits[i].maxMs) << all[i].file;
    }
}

TEST(SoundGen, SoundsStartAndEndInSilenceAndNeverClip) {
    for (const Rendered& r : renderAll()) {
        ASSERT_FALSE(r.pcm.empty()) << r.file;
        EXPECT_EQ(r.pcm.front(), 0) << r.file;
        EXPECT_EQ(r.pcm.back(), 0) << r.file;
        int top = 0;
        for (int16_t s : r.pcm) top = std::max(top, std::abs(static_cast<int>(s)));
        EXPECT_EQ(top, static_cast<int>(std::lround(r.peak * 32767))) << r.file;
        EXPECT_LE(r.peak, 0.5) << r.file << " leaves too little room for overlapping starts";
    }
}

TEST(SoundGen, PitchesTellTheSoundsApart) {
    const std::vector<Rendered> all = renderAll();
    const auto& pill = all[4].pcm;
    const auto& pillAlt = all[5].pcm;
    EXPECT_GT(pitchHz(pill, 0, pill.size()), 1.2 * pitchHz(pillAlt, 0, pillAlt.size()));
    const auto& miss = all[3].pcm;
    const size_t quarter = miss.size() / 4;
    EXPECT_GT(pitchHz(miss, 0, quarter), 1.5 * pitchHz(miss, 3 * quarter, miss.size())) << "miss must fall";
    const auto& energizer = all[1].pcm;
    const size_t half = energizer.size() / 2;
    EXPECT_LT(pitchHz(energizer, 0, half), pitchHz(energizer, half, energizer.size()))
        << "energizer must rise";
}

TEST(SoundGen, WaveHeaderDescribesMono16Bit22050) {
    const std::vector<int16_t> pcm = {0, 1, -2, 32767};
    const std::vector<uint8_t> b = wavBytes(pcm, kRate);
    ASSERT_EQ(b.size(), 44u + 8u);
    auto u32 = [&](size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
    };
    auto u16 = [&](size_t at) { return b[at] | b[at + 1] << 8; };
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 8u);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1);  // PCM
    EXPECT_EQ(u16(22), 1);  // mono
    EXPECT_EQ(u32(24), 22050u);
    EXPECT_EQ(u32(28), 44100u);
    EXPECT_EQ(u16(34), 16);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(u32(40), 8u);
    EXPECT_EQ(u16(44 + 4), 0xFFFE);  // -2, little-endian
    EXPECT_EQ(u16(44 + 6), 0x7FFF);
}

TEST(SoundGen, BuildWroteTheEightFilesTheGameLoads) {
    const std::vector<Rendered> all = renderAll();
    for (size_t i = 0; i < all.size(); ++i) {
        std::ifstream f(std::filesystem::path(ZN_TEST_GAME_DIR) / zn::kSampleFiles[i], std::ios::binary);
        ASSERT_TRUE(f) << zn::kSampleFiles[i];
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(f), {}};
        EXPECT_EQ(bytes, wavBytes(all[i].pcm, kRate))
            << zn::kSampleFiles[i] << " is stale or was not generated";
    }
}

TEST(SoundGen, UnwritableTargetIsReported) {
    std::string error;
    EXPECT_FALSE(writeWav("/nonexistent-dir/x.wav", {0}, kRate, error));
    EXPECT_NE(error.find("/nonexistent-dir/x.wav"), std::string::npos);
}

}  // namespace
