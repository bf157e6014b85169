// The µ-law codec and the WAVE file reader under the sound devices.

#include "platform/audio/MuLaw.h"
#include "platform/audio/WavFile.h"
#include "platform/audio/WaveTypes.h"
#include "tests/platform/audio/AudioTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using audiotest::MakeWave;

TEST(MuLaw, CodesDecodeToTheStandardLevelsAndEncodeBack) {
    EXPECT_EQ(MuLawToLinear(0xFF), 0);
    EXPECT_EQ(MuLawToLinear(0x7F), 0);
    EXPECT_EQ(MuLawToLinear(0x80), 32124);
    EXPECT_EQ(MuLawToLinear(0x00), -32124);
    EXPECT_EQ(MuLawToLinear(0xFE), 8);
    EXPECT_EQ(MuLawToLinear(0x7E), -8);
    for (int code = 0; code < 256; ++code) {
        // Both zeros encode as the positive one.
        const BYTE expected = code == 0x7F ? 0xFF : BYTE(code);
        EXPECT_EQ(LinearToMuLaw(MuLawToLinear(BYTE(code))), expected) << code;
    }
    EXPECT_EQ(LinearToMuLaw(32767), 0x80);
    EXPECT_EQ(LinearToMuLaw(-32768), 0x00);
}

TEST(MuLaw, EncodingFollowsTheSignalWithinItsSegmentStep) {
    int previous = -40000;
    for (int s = -32768; s <= 32767; ++s) {
        const int back = MuLawToLinear(LinearToMuLaw(SHORT(s)));
        ASSERT_GE(back, previous) << s; // never goes backwards as the signal rises
        previous = back;
        const int clipped = s > 32635 ? 32635 : (s < -32635 ? -32635 : s);
        // Each segment doubles the step, from 8 near zero to 1024 at the top.
        const int step = std::abs(clipped) < 256 ? 8 : (std::abs(clipped) / 32) + 8;
        ASSERT_LE(std::abs(back - clipped), step) << s;
    }
}

TEST(WavFile, AcceptsMonoPcmAndMuLawAndRefusesTheRest) {
    const std::vector<BYTE> four = {1, 2, 3, 4};
    struct Case {
        const char* what;
        std::vector<BYTE> file;
        bool accepted;
        WORD tag;
        std::size_t dataSize;
    };
    std::vector<BYTE> truncated = MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, {1, 2, 3, 4, 5, 6});
    truncated.resize(truncated.size() - 3); // the data chunk claims 6 bytes, 3 are there: one sample
    std::vector<BYTE> notRiff = MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, four);
    notRiff[0] = 'X';
    // An odd-sized chunk before the format is skipped with its pad byte.
    std::vector<BYTE> padded = MakeWave(WAVE_FORMAT_MULAW, 8, 1, 8000, four);
    padded.insert(padded.begin() + 12, {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});
    std::vector<BYTE> dataFirst = MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, four);
    std::rotate(dataFirst.begin() + 12, dataFirst.begin() + 36, dataFirst.end()); // data chunk before fmt
    std::vector<BYTE> hugeFmt = MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, four);
    hugeFmt[16] = 0xFF;
    hugeFmt[17] = 0xFF;
    const Case cases[] = {
        {"pcm16", MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, four), true, WAVE_FORMAT_PCM, 4},
        {"mulaw", MakeWave(WAVE_FORMAT_MULAW, 8, 1, 8000, four), true, WAVE_FORMAT_MULAW, 4},
        {"odd pcm16 data", MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, {1, 2, 3}), true, WAVE_FORMAT_PCM, 2},
        {"truncated", truncated, true, WAVE_FORMAT_PCM, 2},
        {"padded chunk", padded, true, WAVE_FORMAT_MULAW, 4},
        {"stereo", MakeWave(WAVE_FORMAT_PCM, 16, 2, 8000, four), false, 0, 0},
        {"pcm8", MakeWave(WAVE_FORMAT_PCM, 8, 1, 8000, four), false, 0, 0},
        {"alaw", MakeWave(6, 8, 1, 8000, four), false, 0, 0},
        {"not riff", notRiff, false, 0, 0},
        {"data before fmt", dataFirst, false, 0, 0},
        {"fmt past the end", hugeFmt, false, 0, 0},
        {"header only", std::vector<BYTE>(padded.begin(), padded.begin() + 12), false, 0, 0},
    };
    for (const Case& c : cases) {
        WavInfo info;
        ASSERT_EQ(ParseWav(c.file.data(), c.file.size(), info), c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_EQ(info.formatTag, c.tag) << c.what;
            EXPECT_EQ(info.dataSize, c.dataSize) << c.what;
            EXPECT_EQ(info.samplesPerSec, 8000u) << c.what;
            EXPECT_LE(info.dataOffset + info.dataSize, c.file.size()) << c.what;
        }
    }
}

TEST(WavFile, TheWrittenHeaderParsesBack) {
    const auto header = MakeWavHeader(8000, 6);
    std::vector<BYTE> file(header.begin(), header.end());
    file.insert(file.end(), {1, 0, 2, 0, 3, 0});
    WavInfo info;
    ASSERT_TRUE(ParseWav(file.data(), file.size(), info));
    EXPECT_EQ(info.formatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_EQ(info.dataOffset, kWavHeaderSize);
    EXPECT_EQ(info.dataSize, 6u);
}

} // namespace
