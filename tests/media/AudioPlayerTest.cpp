// The live audio player against a WAVE-file device: what reaches the speaker, in what order, from
// when on; silence when nothing comes; the owner's volume and mute; flush and teardown.

#include "media/AudioPlayer.h"
#include "media/MediaFactory.h"
#include "media/VideoOwner.h"
#include "media/WaveBuffer.h"
#include "media/WaveFormat.h"
#include "platform/audio/MuLaw.h"
#include "tests/media/DecoderFakes.h"
#include "tests/platform/audio/AudioTestFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using kelotest::TempDir;
using namespace std::chrono_literals;

class Owner : public IAudioOwner {
public:
    Owner(bool muted, DWORD volume) : m_muted(muted), m_volume(volume) {}
    bool IsMuted() const override { return m_muted; }
    DWORD GetVolumeValue() const override { return m_volume; }

private:
    bool m_muted;
    DWORD m_volume;
};

// Block k of a stream: every byte the code k + 1 (never silence, never the other zero).
std::vector<BYTE> Block(int k) {
    return std::vector<BYTE>(CAudioPlayer::kBlockSize, BYTE(0x10 + k));
}

// Waits (generously) until the device has written at least `samples` samples into the file.
bool WaitForSamples(const std::filesystem::path& path, std::size_t samples) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec && size >= 44 + samples * 2) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

// The code heard for each block-sized run of samples.
std::vector<int> HeardBlocks(const std::vector<SHORT>& samples) {
    std::vector<int> blocks;
    for (std::size_t at = 0; at + CAudioPlayer::kBlockSize <= samples.size(); at += CAudioPlayer::kBlockSize) {
        const SHORT first = samples[at];
        bool same = true;
        for (std::size_t i = at; i < at + CAudioPlayer::kBlockSize; ++i) {
            same = same && samples[i] == first;
        }
        int code = -1; // a mixed block
        for (int c = 0; c < 256 && same; ++c) {
            if (MuLawToLinear(BYTE(c)) == first) {
                code = first == 0 ? 0xFF : c;
                break;
            }
        }
        blocks.push_back(code);
    }
    return blocks;
}

TEST(AudioPlayer, PlaysFromTheFourthChunkInOrderAndThenSilence) {
    TempDir dir;
    const auto path = dir / "speaker.wav";
    const Owner owner(false, 0xFFFF);
    CAudioPlayer player(&owner, 2, path.c_str());
    ASSERT_TRUE(player.IsOpen());
    EXPECT_EQ(player.QueuedBlocks(), 0u);
    // Seven blocks make three chunks and a half: nothing is played yet.
    for (int k = 0; k < 7; ++k) {
        ASSERT_TRUE(player.QueueBlock(Block(k).data(), CAudioPlayer::kBlockSize));
    }
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (player.QueuedBlocks() > 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(player.IsPlaying());
    // The eighth makes the fourth chunk: playing begins.
    ASSERT_TRUE(player.QueueBlock(Block(7).data(), CAudioPlayer::kBlockSize));
    ASSERT_TRUE(WaitForSamples(path, 12 * CAudioPlayer::kBlockSize));
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();

    const std::vector<int> heard = HeardBlocks(audiotest::ReadWrittenSamples(path));
    ASSERT_GE(heard.size(), 12u);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(heard[k], 0x10 + k) << k;
    }
    // Then whole chunks of silence (0xFF) while nothing comes.
    for (std::size_t k = 8; k < heard.size(); ++k) {
        EXPECT_EQ(heard[k], 0xFF) << k;
    }
}

TEST(AudioPlayer, ShortBlocksAreChunkedByTheirBytes) {
    TempDir dir;
    const auto path = dir / "short.wav";
    CAudioPlayer player(nullptr, 1, path.c_str());
    // Sixteen blocks of 128 bytes fill four chunks of 512: playing begins.
    for (int k = 0; k < 16; ++k) {
        const std::vector<BYTE> quarter(128, BYTE(0x20 + k / 4));
        ASSERT_TRUE(player.QueueBlock(quarter.data(), quarter.size()));
    }
    ASSERT_TRUE(WaitForSamples(path, 4 * CAudioPlayer::kBlockSize));
    player.Stop();
    const std::vector<int> heard = HeardBlocks(audiotest::ReadWrittenSamples(path));
    ASSERT_GE(heard.size(), 4u);
    EXPECT_EQ(heard[0], 0x20);
    EXPECT_EQ(heard[3], 0x23);
    EXPECT_FALSE(player.QueueBlock(Block(0).data(), 0));
    EXPECT_FALSE(player.QueueBlock(Block(0).data(), CAudioPlayer::kBlockSize + 1));
}

TEST(AudioPlayer, TheOwnersVolumeIsSetAsTheDeviceOpens) {
    struct Case {
        bool muted;
        DWORD volume;
        DWORD expected;
    };
    for (const Case c :
         {Case{true, 40000, 0}, Case{false, 40000, (40000u << 16) | 40000u}, Case{false, 70000, 0xFFFFFFFF}}) {
        const Owner owner(c.muted, c.volume);
        CAudioPlayer player(&owner, 2, "none");
        EXPECT_EQ(player.GetVolume(), c.expected);
    }
    // Muted, the device opens at volume 0: everything heard is silent.
    TempDir dir;
    const auto path = dir / "muted.wav";
    const Owner muted(true, 0xFFFF);
    CAudioPlayer player(&muted, 1, path.c_str());
    for (int k = 0; k < 4; ++k) {
        player.QueueBlock(Block(k).data(), CAudioPlayer::kBlockSize);
    }
    ASSERT_TRUE(WaitForSamples(path, 2 * CAudioPlayer::kBlockSize));
    player.Stop();
    for (SHORT s : audiotest::ReadWrittenSamples(path)) {
        ASSERT_EQ(s, 0);
    }
}

TEST(AudioPlayer, TheMediaFactoryMakesOneAtTheMainWindowsVolume) {
    class MainWindow : public IVideoOwner {
    public:
        DWORD GetVolumeValue() const override { return 40000; }
    };
    ::setenv(kAudioOutVariable, "none", 1);
    MainWindow main;
    RecordingHost host;
    CMediaFactory factory(host, &main);
    std::unique_ptr<IAudioPlayer> made = factory.CreateAudioPlayer(64);
    auto* player = dynamic_cast<CAudioPlayer*>(made.get());
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetBlocksPerChunk(), 64);
    EXPECT_EQ(player->GetVolume(), (40000u << 16) | 40000u);
    EXPECT_EQ(player->GetDeviceKind(), PcmDeviceKind::Silent);
    made->Stop();
    // A chunk of no blocks would never fill: the setting is kept to 1-255 blocks.
    EXPECT_EQ(CAudioPlayer(nullptr, 0, "none").GetBlocksPerChunk(), 1);
    EXPECT_EQ(CAudioPlayer(nullptr, 1000, "none").GetBlocksPerChunk(), 255);
}

TEST(AudioPlayer, NextBlockGivesTheOldestChunkOrOneChunkOfSilence) {
    CAudioPlayer player(nullptr, 2, "none");
    CWaveBuffer buffer(2 * CAudioPlayer::kBlockSize);
    ASSERT_TRUE(player.GetNextBlock(buffer));
    EXPECT_EQ(buffer.GetSize(), 1024u);
    EXPECT_EQ(buffer.GetData()[0], 0xFF);
    EXPECT_EQ(buffer.GetData()[1023], 0xFF);
}

TEST(AudioPlayer, FlushSilencesThePlayerAndDropsWhatComesAfter) {
    TempDir dir;
    const auto path = dir / "flush.wav";
    CAudioPlayer player(nullptr, 1, path.c_str());
    for (int k = 0; k < 4; ++k) {
        player.QueueBlock(Block(k).data(), CAudioPlayer::kBlockSize);
    }
    ASSERT_TRUE(WaitForSamples(path, CAudioPlayer::kBlockSize));
    player.Flush();
    EXPECT_EQ(player.ChunkCount(), 0u);
    // A flushed player takes nothing more (and holds nothing): it stays silent until it ends.
    EXPECT_FALSE(player.QueueBlock(Block(9).data(), CAudioPlayer::kBlockSize));
    EXPECT_EQ(player.QueuedBlocks(), 0u);
    ASSERT_TRUE(WaitForSamples(path, 8 * CAudioPlayer::kBlockSize));
    player.Stop();
    const std::vector<int> heard = HeardBlocks(audiotest::ReadWrittenSamples(path));
    for (int code : heard) {
        EXPECT_NE(code, 0x19);
    }
}

TEST(AudioPlayer, WaitingChunksAreBounded) {
    CAudioPlayer player(nullptr, 1, "none");
    // Far more than the device could play at once: the oldest waiting chunks make way.
    for (int k = 0; k < 200; ++k) {
        player.QueueBlock(Block(k % 50).data(), CAudioPlayer::kBlockSize);
    }
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (player.QueuedBlocks() > 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_LE(player.ChunkCount(), CAudioPlayer::kMaxChunks);
}

TEST(AudioPlayer, WithoutADeviceItTakesNothingAndStopsCleanly) {
    TempDir dir;
    const auto unreachable = dir / "missing-folder/out.wav";
    CAudioPlayer player(nullptr, 2, unreachable.c_str());
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.QueueBlock(Block(0).data(), CAudioPlayer::kBlockSize));
    EXPECT_EQ(player.QueuedBlocks(), 0u);
    player.Stop();
    player.Stop();
}

TEST(AudioPlayer, StopsWhileBlocksPourIn) {
    // Teardown while the producer still queues: no block outlives the player, nothing hangs.
    auto player = std::make_unique<CAudioPlayer>(nullptr, 2, "none");
    std::atomic<bool> done{false};
    std::atomic<int> queued{0};
    std::thread producer([&] {
        for (int k = 0; !done.load(); ++k) {
            if (player->QueueBlock(Block(k % 50).data(), CAudioPlayer::kBlockSize)) {
                queued.fetch_add(1);
            }
        }
    });
    // Stopped once blocks are pouring in: a few hundred taken, more than the player keeps.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (queued.load() < int(2 * CAudioPlayer::kMaxBlocks) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_GE(queued.load(), int(2 * CAudioPlayer::kMaxBlocks));
    player->Stop();
    EXPECT_EQ(player->QueuedBlocks(), 0u);
    done.store(true);
    producer.join();
    player.reset();
}

TEST(WaveFormat, SettersRecomputeAlignAndRate) {
    CWaveFormat format;
    EXPECT_EQ(format.GetFormatTag(), WAVE_FORMAT_PCM);
    EXPECT_EQ(format.GetChannels(), 2);
    EXPECT_EQ(format.GetBlockAlign(), 4);
    EXPECT_EQ(format.GetBufferSize(), 20u);
    format.SetFormatTag(WAVE_FORMAT_MULAW);
    format.SetBitsPerSample(8);
    format.SetChannels(1);
    format.SetSamplesPerSec(8000);
    EXPECT_EQ(format.GetBlockAlign(), 1);
    EXPECT_EQ(format.GetAvgBytesPerSec(), 8000u);
}

TEST(WaveBuffer, OwnedBuffersAreZeroedAndSizesStayInside) {
    CWaveBuffer owned(16);
    EXPECT_TRUE(owned.OwnsData());
    EXPECT_EQ(owned.GetData()[15], 0);
    owned.GetData()[3] = 9;
    owned.SetSize(100);
    EXPECT_EQ(owned.GetSize(), 16u);
    owned.Clear();
    EXPECT_EQ(owned.GetData()[3], 0);
    BYTE outside[4] = {1, 2, 3, 4};
    {
        CWaveBuffer view(outside, sizeof(outside));
        EXPECT_FALSE(view.OwnsData());
        view.Clear();
    }
    EXPECT_EQ(outside[0], 0);
}

} // namespace
