// Talking to the recorder: the talk messages' bytes on the wire, the queue's bound, nothing sent
// without capture, and a stop that leaves nothing behind.

#include "media/AudioMikeThread.h"
#include "media/TalkQueue.h"
#include "platform/audio/WaveTypes.h"
#include "platform/net/TcpConnection.h"
#include "tests/platform/audio/AudioTestFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using kelotest::TempDir;
using namespace std::chrono_literals;

constexpr std::size_t kMessageBytes = 16 + CTalkQueue::kBodyBytes;

// One end of a socket pair for the talk sender, the other read by the test.
class Wire {
public:
    Wire() {
        int fds[2] = {-1, -1};
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0) {
            m_connection = CTcpConnection::Adopt(fds[0]);
            m_peer = fds[1];
        }
    }
    ~Wire() {
        if (m_peer >= 0) {
            ::close(m_peer);
        }
    }
    Wire(const Wire&) = delete;
    Wire& operator=(const Wire&) = delete;

    std::shared_ptr<CTcpConnection> Connection() const { return m_connection; }

    // Reads until `count` bytes have come or `patience` has passed.
    std::vector<BYTE> Read(std::size_t count, std::chrono::milliseconds patience) {
        std::vector<BYTE> bytes;
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (bytes.size() < count) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                break;
            }
            pollfd p{m_peer, POLLIN, 0};
            if (::poll(&p, 1, int(left.count())) <= 0) {
                continue;
            }
            BYTE chunk[4096];
            const ssize_t n = ::recv(m_peer, chunk, std::min(sizeof(chunk), count - bytes.size()), 0);
            if (n <= 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

private:
    std::shared_ptr<CTcpConnection> m_connection;
    int m_peer = -1;
};

std::vector<BYTE> Codes(std::size_t count) {
    std::vector<BYTE> codes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const BYTE c = BYTE(i * 13 + 5);
        codes[i] = c == 0x7F ? 0x7E : c; // 0x7F would be recorded as 0xFF
    }
    return codes;
}

TEST(TalkQueue, HoldsTheNewestTwoHundredBodies) {
    CTalkQueue queue;
    for (int i = 0; i < 201; ++i) {
        const BYTE captured[2] = {BYTE(i), BYTE(i >> 8)};
        queue.Push(captured, sizeof(captured));
        ASSERT_LE(queue.Count(), CTalkQueue::kMaxMessages);
    }
    EXPECT_EQ(queue.Count(), 200u);
    const std::vector<CTalkQueue::Body> bodies = queue.TakeAll();
    ASSERT_EQ(bodies.size(), 200u);
    // The first pushed went out; the rest are in order, each 1536 zeros then the captured bytes.
    EXPECT_EQ(bodies.front()[CTalkQueue::kAudioOffset], 1);
    EXPECT_EQ(bodies.back()[CTalkQueue::kAudioOffset], BYTE(200));
    for (std::size_t i = 0; i < CTalkQueue::kAudioOffset; ++i) {
        ASSERT_EQ(bodies[7][i], 0) << i;
    }
    EXPECT_EQ(queue.Count(), 0u);
    // More than a block is cut to one.
    const std::vector<BYTE> big(600, 0x42);
    queue.Push(big.data(), big.size());
    EXPECT_EQ(queue.TakeAll()[0][CTalkQueue::kBodyBytes - 1], 0x42);
}

TEST(AudioMike, SendsEveryCapturedBlockAsATalkMessage) {
    TempDir dir;
    const auto mic = dir / "mic.wav";
    const std::vector<BYTE> codes = Codes(3 * CTalkQueue::kCaptureBytes);
    audiotest::WriteFile(mic, audiotest::MakeWave(WAVE_FORMAT_MULAW, 8, 1, 8000, codes));
    Wire wire;
    ASSERT_TRUE(wire.Connection());
    CAudioMikeThread mike(wire.Connection(), mic.c_str());
    EXPECT_TRUE(mike.IsCapturing());
    const std::vector<BYTE> bytes = wire.Read(3 * kMessageBytes, 30s);
    ASSERT_EQ(bytes.size(), 3 * kMessageBytes);
    const BYTE header[16] = {0x00, 0x00, 0x89, 0x80, 0x40, 0x00, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t m = 0; m < 3; ++m) {
        const BYTE* message = bytes.data() + m * kMessageBytes;
        EXPECT_TRUE(std::equal(header, header + 16, message)) << m;
        for (std::size_t i = 16; i < 16 + CTalkQueue::kAudioOffset; ++i) {
            ASSERT_EQ(message[i], 0) << m << ":" << i;
        }
        EXPECT_TRUE(std::equal(codes.begin() + long(m * 512), codes.begin() + long((m + 1) * 512),
                               message + 16 + CTalkQueue::kAudioOffset))
            << m;
    }
    mike.Stop();
    EXPECT_EQ(mike.SentMessages(), 3u);
    EXPECT_FALSE(mike.IsCapturing());
}

TEST(AudioMike, NothingIsSentWhileNothingIsCaptured) {
    Wire wire;
    CAudioMikeThread mike(wire.Connection(), "none");
    // Several send rounds pass without a byte on the wire.
    EXPECT_TRUE(wire.Read(1, 350ms).empty());
    EXPECT_EQ(mike.QueuedMessages(), 0u);
    mike.Stop();
}

TEST(AudioMike, AClosedConnectionOrAFailedCaptureIsNoFault) {
    TempDir dir;
    const auto mic = dir / "mic.wav";
    audiotest::WriteFile(mic, audiotest::MakeWave(WAVE_FORMAT_MULAW, 8, 1, 8000, Codes(2048)));
    Wire wire;
    wire.Connection()->Close();
    {
        // Captured blocks are taken from the queue as ever and dropped when they cannot go out.
        CAudioMikeThread mike(wire.Connection(), mic.c_str());
        EXPECT_TRUE(mike.IsCapturing());
        std::this_thread::sleep_for(300ms);
        mike.Stop();
        EXPECT_EQ(mike.SentMessages(), 0u);
        EXPECT_EQ(mike.QueuedMessages(), 0u);
    }
    // A microphone that cannot be opened: the sender runs and sends nothing.
    const auto missing = dir / "missing.wav";
    CAudioMikeThread deaf(nullptr, missing.c_str());
    EXPECT_FALSE(deaf.IsCapturing());
    deaf.Stop();
}

} // namespace
