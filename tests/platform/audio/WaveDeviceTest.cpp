// The wave devices over their stand-ins: buffers come back in order once heard (or filled), at the
// real rate; the volume reaches the samples; reset gives everything back; a missing sound card is a
// silent device; WAVE files record what is heard and feed what is recorded.

#include "platform/audio/MuLaw.h"
#include "platform/audio/WaveIn.h"
#include "platform/audio/WaveOut.h"
#include "tests/platform/audio/AudioTestFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

using kelotest::TempDir;
using namespace std::chrono_literals;

constexpr auto kPatience = 20s;

WAVEFORMATEX MuLawFormat() {
    return WAVEFORMATEX{WAVE_FORMAT_MULAW, 1, 8000, 8000, 1, 8, 0};
}

// Records what the device gives back, in order, and lets a test wait for a count.
class Returns {
public:
    WaveCallback Callback(UINT expected) {
        return [this, expected](UINT message, WAVEHDR* header) {
            std::lock_guard lock(m_lock);
            m_messagesRight = m_messagesRight && message == expected;
            m_headers.push_back(header);
            m_recorded.push_back(header->dwBytesRecorded);
            m_changed.notify_all();
        };
    }
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, kPatience, [&] { return m_headers.size() >= count; });
    }
    std::vector<WAVEHDR*> Headers() {
        std::lock_guard lock(m_lock);
        return m_headers;
    }
    std::vector<DWORD> Recorded() {
        std::lock_guard lock(m_lock);
        return m_recorded;
    }
    bool MessagesRight() {
        std::lock_guard lock(m_lock);
        return m_messagesRight;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<WAVEHDR*> m_headers;
    std::vector<DWORD> m_recorded;
    bool m_messagesRight = true;
};

struct Buffer {
    explicit Buffer(std::size_t size, BYTE fill) : data(size, fill) {
        header.lpData = reinterpret_cast<LPSTR>(data.data());
        header.dwBufferLength = DWORD(size);
    }
    std::vector<BYTE> data;
    WAVEHDR header{};
};

TEST(WaveOut, PlaysBuffersInOrderAtTheRealRateIntoTheFile) {
    TempDir dir;
    const auto path = dir / "out.wav";
    Returns returns;
    CWaveOut out;
    ASSERT_EQ(out.Open(path.c_str(), MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
    EXPECT_EQ(out.GetDeviceKind(), PcmDeviceKind::WavFile);
    std::array<Buffer, 3> buffers{Buffer(512, 0x80), Buffer(256, 0x00), Buffer(512, 0xF0)};
    const auto start = std::chrono::steady_clock::now();
    for (Buffer& b : buffers) {
        ASSERT_EQ(out.PrepareHeader(&b.header), MMSYSERR_NOERROR);
        ASSERT_EQ(out.Write(&b.header), MMSYSERR_NOERROR);
        EXPECT_EQ(out.Write(&b.header), WAVERR_STILLPLAYING);
        EXPECT_EQ(out.UnprepareHeader(&b.header), WAVERR_STILLPLAYING);
    }
    ASSERT_TRUE(returns.WaitFor(3));
    // 1280 samples at 8000 per second are 160 ms; the device never hands a buffer back early.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    const std::vector<WAVEHDR*> back = returns.Headers();
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i], &buffers[i].header);
        EXPECT_EQ(buffers[i].header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
        EXPECT_EQ(out.UnprepareHeader(&buffers[i].header), MMSYSERR_NOERROR);
    }
    EXPECT_TRUE(returns.MessagesRight());
    EXPECT_EQ(out.Close(), MMSYSERR_NOERROR);

    const std::vector<SHORT> heard = audiotest::ReadWrittenSamples(path);
    ASSERT_EQ(heard.size(), 1280u);
    EXPECT_EQ(heard[0], 32124);
    EXPECT_EQ(heard[511], 32124);
    EXPECT_EQ(heard[512], -32124);
    EXPECT_EQ(heard[767], -32124);
    EXPECT_EQ(heard[768], MuLawToLinear(0xF0));
    EXPECT_EQ(heard[1279], MuLawToLinear(0xF0));
}

TEST(WaveOut, TheVolumeScalesWhatIsHeard) {
    struct Case {
        DWORD volume;
        SHORT expected;
    };
    for (const Case c : {Case{0x00000000, 0}, Case{0xFFFF8000, 16062}, Case{0x0000FFFF, 32124}}) {
        TempDir dir;
        const auto path = dir / "volume.wav";
        Returns returns;
        CWaveOut out;
        ASSERT_EQ(out.Open(path.c_str(), MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
        ASSERT_EQ(out.SetVolume(c.volume), MMSYSERR_NOERROR);
        Buffer b(64, 0x80);
        out.PrepareHeader(&b.header);
        out.Write(&b.header);
        ASSERT_TRUE(returns.WaitFor(1));
        out.Close();
        const std::vector<SHORT> heard = audiotest::ReadWrittenSamples(path);
        ASSERT_EQ(heard.size(), 64u);
        for (SHORT s : heard) {
            ASSERT_EQ(s, c.expected) << std::hex << c.volume;
        }
    }
}

TEST(WaveOut, ResetGivesEveryBufferBackBeforeItReturns) {
    TempDir dir;
    const auto path = dir / "reset.wav";
    Returns returns;
    CWaveOut out;
    ASSERT_EQ(out.Open(path.c_str(), MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
    std::array<Buffer, 3> buffers{Buffer(8000, 0x80), Buffer(8000, 0x80), Buffer(8000, 0x80)};
    for (Buffer& b : buffers) {
        out.PrepareHeader(&b.header);
        out.Write(&b.header);
    }
    ASSERT_EQ(out.Reset(), MMSYSERR_NOERROR);
    EXPECT_EQ(returns.Headers().size(), 3u);
    for (Buffer& b : buffers) {
        EXPECT_EQ(b.header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_DONE);
    }
    // The device goes on with what is written after the reset.
    Buffer more(80, 0x00);
    out.PrepareHeader(&more.header);
    out.Write(&more.header);
    ASSERT_TRUE(returns.WaitFor(4));
    out.Close();
    // Three seconds were written; only what played before the reset, then the last buffer, is heard.
    const std::vector<SHORT> heard = audiotest::ReadWrittenSamples(path);
    ASSERT_GE(heard.size(), 80u);
    EXPECT_LT(heard.size(), 8000u);
    EXPECT_EQ(heard.back(), -32124);
}

TEST(WaveOut, RefusesWhatItCannotPlay) {
    Returns returns;
    CWaveOut out;
    const WAVEFORMATEX refused[] = {
        {WAVE_FORMAT_MULAW, 2, 8000, 16000, 2, 8, 0}, // stereo
        {WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0},    // 8-bit PCM
        {6, 1, 8000, 8000, 1, 8, 0},                  // A-law
        {WAVE_FORMAT_MULAW, 1, 0, 0, 1, 8, 0},        // no rate
    };
    for (const WAVEFORMATEX& f : refused) {
        EXPECT_EQ(out.Open("none", f, returns.Callback(MM_WOM_DONE)), WAVERR_BADFORMAT);
    }
    Buffer b(16, 0xFF);
    EXPECT_EQ(out.Write(&b.header), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(out.Close(), MMSYSERR_INVALHANDLE);

    TempDir dir;
    const auto unreachable = dir / "no-such-folder/out.wav";
    EXPECT_EQ(out.Open(unreachable.c_str(), MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_ERROR);

    ASSERT_EQ(out.Open("none", MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
    EXPECT_EQ(out.Open("none", MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_ALLOCATED);
    EXPECT_EQ(out.Write(&b.header), WAVERR_UNPREPARED);
}

TEST(WaveOut, ASoundCardThatIsNotThereIsASilentDevice) {
    Returns returns;
    CWaveOut out;
    ASSERT_EQ(out.Open("hw:97", MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
    EXPECT_EQ(out.GetDeviceKind(), PcmDeviceKind::Silent);
    Buffer b(400, 0x80);
    out.PrepareHeader(&b.header);
    out.Write(&b.header);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(returns.WaitFor(1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms); // 50 ms of sound still takes its time
}

// ALSA's null device behind a plug takes samples at once; the device still plays them at the rate.
TEST(WaveOut, AnAlsaDeviceWithoutAClockIsHeldToTheRate) {
    Returns returns;
    CWaveOut out;
    ASSERT_EQ(out.Open("plug:null", MuLawFormat(), returns.Callback(MM_WOM_DONE)), MMSYSERR_NOERROR);
    if (out.GetDeviceKind() != PcmDeviceKind::Alsa) {
        GTEST_SKIP() << "no ALSA configuration on this machine";
    }
    std::vector<Buffer> buffers;
    buffers.reserve(8);
    for (int i = 0; i < 8; ++i) {
        buffers.emplace_back(1024, 0x80);
    }
    const auto start = std::chrono::steady_clock::now();
    for (Buffer& b : buffers) {
        out.PrepareHeader(&b.header);
        out.Write(&b.header);
    }
    ASSERT_TRUE(returns.WaitFor(8));
    // One second of sound: the device may run ahead by its buffer, never by more.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(returns.Headers().size(), 8u);
}

TEST(WaveIn, AnAlsaDeviceWithoutAClockRecordsAtTheRate) {
    Returns returns;
    CWaveIn in;
    ASSERT_EQ(in.Open("plug:null", MuLawFormat(), returns.Callback(MM_WIM_DATA)), MMSYSERR_NOERROR);
    if (in.GetDeviceKind() != PcmDeviceKind::Alsa) {
        GTEST_SKIP() << "no ALSA configuration on this machine";
    }
    std::vector<Buffer> buffers;
    buffers.reserve(8);
    for (int i = 0; i < 8; ++i) {
        buffers.emplace_back(1024, 0x00);
        in.PrepareHeader(&buffers.back().header);
        in.AddBuffer(&buffers.back().header);
    }
    const auto start = std::chrono::steady_clock::now();
    in.Start();
    ASSERT_TRUE(returns.WaitFor(8));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 500ms);
    // The null device records silence.
    EXPECT_EQ(buffers[7].data, std::vector<BYTE>(1024, 0xFF));
    in.Stop();
    in.Close();
}

TEST(PcmDevice, TheNameComesFromTheCallerThenTheEnvironment) {
    ::setenv("KELO_TEST_AUDIO_DEVICE", "/tmp/x.WAV", 1);
    EXPECT_EQ(ResolvePcmDeviceName("none", "KELO_TEST_AUDIO_DEVICE"), "none");
    EXPECT_EQ(ResolvePcmDeviceName(nullptr, "KELO_TEST_AUDIO_DEVICE"), "/tmp/x.WAV");
    EXPECT_EQ(ResolvePcmDeviceName("", "KELO_TEST_AUDIO_DEVICE"), "/tmp/x.WAV");
    ::unsetenv("KELO_TEST_AUDIO_DEVICE");
    EXPECT_EQ(ResolvePcmDeviceName(nullptr, "KELO_TEST_AUDIO_DEVICE"), "default");
    EXPECT_EQ(PcmDeviceKindOf("none"), PcmDeviceKind::Silent);
    EXPECT_EQ(PcmDeviceKindOf("/tmp/x.WAV"), PcmDeviceKind::WavFile);
    EXPECT_EQ(PcmDeviceKindOf("hw:0"), PcmDeviceKind::Alsa);
    EXPECT_EQ(PcmDeviceKindOf("default"), PcmDeviceKind::Alsa);
}

std::vector<BYTE> Ramp(std::size_t count) {
    std::vector<BYTE> codes(count);
    for (std::size_t i = 0; i < count; ++i) {
        codes[i] = BYTE(i * 7 + 1) == 0x7F ? 0x7E : BYTE(i * 7 + 1); // 0x7F would come back as 0xFF
    }
    return codes;
}

TEST(WaveIn, FillsWholeBuffersInOrderWithTheFilesCodes) {
    TempDir dir;
    const auto path = dir / "in.wav";
    const std::vector<BYTE> codes = Ramp(512 * 3 + 100);
    audiotest::WriteFile(path, audiotest::MakeWave(WAVE_FORMAT_MULAW, 8, 1, 8000, codes));
    Returns returns;
    CWaveIn in;
    ASSERT_EQ(in.Open(path.c_str(), MuLawFormat(), returns.Callback(MM_WIM_DATA)), MMSYSERR_NOERROR);
    std::array<Buffer, 4> buffers{Buffer(512, 0), Buffer(512, 0), Buffer(512, 0), Buffer(512, 0)};
    for (Buffer& b : buffers) {
        ASSERT_EQ(in.PrepareHeader(&b.header), MMSYSERR_NOERROR);
        ASSERT_EQ(in.AddBuffer(&b.header), MMSYSERR_NOERROR);
    }
    ASSERT_EQ(in.Start(), MMSYSERR_NOERROR);
    ASSERT_TRUE(returns.WaitFor(3));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(returns.Headers()[i], &buffers[i].header);
        EXPECT_EQ(buffers[i].header.dwBytesRecorded, 512u);
        EXPECT_TRUE(std::equal(buffers[i].data.begin(), buffers[i].data.end(), codes.begin() + long(i * 512))) << i;
    }
    // The last 100 codes never fill a buffer: a reset gives it back holding what had come of them.
    EXPECT_EQ(in.Stop(), MMSYSERR_NOERROR);
    ASSERT_EQ(in.Reset(), MMSYSERR_NOERROR);
    ASSERT_EQ(returns.Headers().size(), 4u);
    const DWORD partial = returns.Recorded()[3];
    EXPECT_LE(partial, 100u);
    EXPECT_TRUE(std::equal(buffers[3].data.begin(), buffers[3].data.begin() + partial, codes.begin() + 1536));
    EXPECT_TRUE(returns.MessagesRight());
    EXPECT_EQ(in.Close(), MMSYSERR_NOERROR);
}

TEST(WaveIn, ASilentDeviceRecordsNothingAndAMismatchedFileIsRefused) {
    Returns returns;
    CWaveIn in;
    ASSERT_EQ(in.Open("none", MuLawFormat(), returns.Callback(MM_WIM_DATA)), MMSYSERR_NOERROR);
    Buffer b(512, 0x55);
    in.PrepareHeader(&b.header);
    in.AddBuffer(&b.header);
    in.Start();
    in.Stop();
    ASSERT_EQ(in.Reset(), MMSYSERR_NOERROR);
    ASSERT_EQ(returns.Headers().size(), 1u);
    EXPECT_EQ(returns.Recorded()[0], 0u);
    EXPECT_EQ(in.Close(), MMSYSERR_NOERROR);

    TempDir dir;
    const auto wrongRate = dir / "16k.wav";
    audiotest::WriteFile(wrongRate, audiotest::MakeWave(WAVE_FORMAT_MULAW, 8, 1, 16000, Ramp(64)));
    EXPECT_EQ(in.Open(wrongRate.c_str(), MuLawFormat(), returns.Callback(MM_WIM_DATA)), WAVERR_BADFORMAT);
    const auto missing = dir / "missing.wav";
    EXPECT_EQ(in.Open(missing.c_str(), MuLawFormat(), returns.Callback(MM_WIM_DATA)), MMSYSERR_ERROR);
}

TEST(WaveIn, PcmFilesFeedMuLawCapture) {
    TempDir dir;
    const auto path = dir / "pcm.wav";
    std::vector<BYTE> pcm;
    const std::vector<BYTE> codes = Ramp(512);
    for (BYTE c : codes) {
        audiotest::PutLe(pcm, WORD(MuLawToLinear(c)), 2);
    }
    audiotest::WriteFile(path, audiotest::MakeWave(WAVE_FORMAT_PCM, 16, 1, 8000, pcm));
    Returns returns;
    CWaveIn in;
    ASSERT_EQ(in.Open(path.c_str(), MuLawFormat(), returns.Callback(MM_WIM_DATA)), MMSYSERR_NOERROR);
    Buffer b(512, 0);
    in.PrepareHeader(&b.header);
    in.AddBuffer(&b.header);
    in.Start();
    ASSERT_TRUE(returns.WaitFor(1));
    EXPECT_EQ(b.data, codes);
}

} // namespace
