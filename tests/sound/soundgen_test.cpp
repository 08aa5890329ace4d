// The generated sounds: lengths that fit their moments in the game, clean edges, room
// for overlapping starts, pitch where it carries meaning, and the files the build wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "sound/sample_files.h"
#include "tools/soundgen/sounds.h"
#include "tools/soundgen/wav.h"

namespace {

using namespace zn::soundgen;

std::vector<std::vector<int16_t>> renderAll() {
    std::vector<std::vector<int16_t>> out;
    for (const DeviceSound& s : deviceSounds()) out.push_back(toPcm16(render(s.tune), s.peak));
    return out;
}

// Mean frequency from the rising zero crossings of pcm[begin, end).
double pitchHz(const std::vector<int16_t>& pcm, size_t begin, size_t end) {
    int crossings = 0;
    for (size_t i = begin + 1; i < end; ++i) crossings += pcm[i - 1] < 0 && pcm[i] >= 0;
    return crossings * double{kRate} / (end - begin);
}

TEST(SoundGen, EachSoundFitsItsMomentStartsAndEndsSilentAndNeverClips) {
    const auto all = renderAll();
    ASSERT_EQ(all.size(), zn::kSampleFiles.size());
    // Bonus, Energizer, Ghost, Miss, Pill, Pill_Alt, Stage, Start (ms).
    const double lo[] = {300, 40, 200, 200, 20, 20, 1000, 2800};
    const double hi[] = {1000, 119, 599, 599, 99, 99, 3200, 2979};
    for (size_t i = 0; i < all.size(); ++i) {
        const double ms = all[i].size() * 1000.0 / kRate;
        EXPECT_GE(ms, lo[i]) << zn::kSampleFiles[i];
        EXPECT_LE(ms, hi[i]) << zn::kSampleFiles[i];
        EXPECT_EQ(all[i].front(), 0) << zn::kSampleFiles[i];
        EXPECT_EQ(all[i].back(), 0) << zn::kSampleFiles[i];
        int top = 0;
        for (int16_t s : all[i]) top = std::max(top, std::abs(int{s}));
        EXPECT_EQ(top, std::lround(deviceSounds()[i].peak * 32767)) << zn::kSampleFiles[i];
        EXPECT_LE(top, 16384) << "leaves too little room for overlapping starts";
    }
}

TEST(SoundGen, PitchesTellTheSoundsApart) {
    const auto all = renderAll();
    const auto &pill = all[4], &pillAlt = all[5], &miss = all[3], &energizer = all[1];
    EXPECT_GT(pitchHz(pill, 0, pill.size()), 1.2 * pitchHz(pillAlt, 0, pillAlt.size()));
    const size_t q = miss.size() / 4;
    EXPECT_GT(pitchHz(miss, 0, q), 1.5 * pitchHz(miss, 3 * q, miss.size())) << "the miss falls";
    const size_t h = energizer.size() / 2;
    EXPECT_LT(pitchHz(energizer, 0, h), pitchHz(energizer, h, energizer.size())) << "the energizer rises";
}

TEST(SoundGen, BuiltFilesAreMono16Bit22050WithEverySample) {
    const auto all = renderAll();
    for (size_t i = 0; i < all.size(); ++i) {
        std::ifstream f(std::filesystem::path(ZN_TEST_GAME_DIR) / zn::kSampleFiles[i], std::ios::binary);
        const std::vector<uint8_t> b{std::istreambuf_iterator<char>(f), {}};
        ASSERT_EQ(b.size(), 44 + 2 * all[i].size()) << zn::kSampleFiles[i];
        auto u32 = [&](size_t at) {
            return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
        };
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(u32(4), b.size() - 8);
        EXPECT_EQ(u32(20), 0x00010001u) << "PCM, mono";
        EXPECT_EQ(u32(24), 22050u);
        EXPECT_EQ(u32(32), 0x00100002u) << "2 bytes a frame, 16 bits";
        EXPECT_EQ(u32(40), 2 * all[i].size());
        EXPECT_EQ(int16_t(b[44 + 2 * 100] | b[45 + 2 * 100] << 8), all[i][100]) << "little-endian samples";
    }
}

}  // namespace
