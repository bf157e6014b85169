// The end of a client while its media workers run. The decoders read the client's state from their
// own threads (through the video window, which holds a plain pointer to the client until the main
// window has freed it), so Disconnect and the destructor must end every worker first.

#include "FakeClientHost.h"
#include "FakeMedia.h"

#include "protocol/DvrClient.h"
#include "protocol/HelloInfo.h"
#include "protocol/MessageIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

// What the workers share with the test: the client as the video window publishes it, and counts.
struct WorkerRig {
    std::atomic<CDvrClient*> client{nullptr};
    std::atomic<int> running{0};         // worker threads alive
    std::atomic<int> releasedRunning{0}; // workers deleted without Stop
    std::atomic<int> decodersCreated{0};
    std::atomic<int> playersCreated{0};
};

// A worker whose thread keeps reading the client the way the real decoder does, until Stop.
class CallingWorker {
public:
    CallingWorker(WorkerRig& rig, int channel) : m_rig(rig) {
        ++m_rig.running;
        m_thread = std::thread([this, channel] {
            while (!m_stop.load()) {
                if (CDvrClient* c = m_rig.client.load()) {
                    (void)c->Setup().GetCameraName(channel);
                    (void)c->Setup().HasAccountRight(0);
                    (void)c->Live().GetVideoLossMask();
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~CallingWorker() {
        if (m_thread.joinable()) {
            ++m_rig.releasedRunning;
            End();
        }
    }
    CallingWorker(const CallingWorker&) = delete;
    CallingWorker& operator=(const CallingWorker&) = delete;

    void End() {
        m_stop.store(true);
        if (m_thread.joinable()) {
            m_thread.join();
            --m_rig.running;
        }
    }

private:
    WorkerRig& m_rig;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class CallingDecoder final : public IChannelDecoder {
public:
    CallingDecoder(WorkerRig& rig, int channel) : m_worker(rig, channel) {}
    bool QueueFrame(std::unique_ptr<FrameItem>) override { return false; }
    void SetRefuse(bool) override {}
    std::size_t QueueLength() const override { return 0; }
    void Stop() override { m_worker.End(); }

private:
    CallingWorker m_worker;
};

class CallingPlayer final : public IAudioPlayer {
public:
    explicit CallingPlayer(WorkerRig& rig) : m_worker(rig, 0) {}
    bool QueueBlock(const BYTE*, std::size_t) override { return true; }
    void Flush() override {}
    std::size_t QueuedBlocks() const override { return 0; }
    void Stop() override { m_worker.End(); }

private:
    CallingWorker m_worker;
};

class CallingMediaFactory final : public IMediaFactory {
public:
    explicit CallingMediaFactory(WorkerRig& rig) : m_rig(rig) {}
    std::unique_ptr<IChannelDecoder> CreateDecoder(int channel, int) override {
        ++m_rig.decodersCreated;
        return std::make_unique<CallingDecoder>(m_rig, channel);
    }
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int) override {
        ++m_rig.playersCreated;
        return std::make_unique<CallingPlayer>(m_rig);
    }

private:
    WorkerRig& m_rig;
};

enum class Teardown { Disconnect, DropWithoutDisconnect };

struct TeardownCase {
    const char* name;
    bool playback; // a remote playback started after live view was asked for
    Teardown teardown;
};

class DvrClientTeardownTest : public ::testing::TestWithParam<TeardownCase> {};

TEST_P(DvrClientTeardownTest, EveryWorkerEndsBeforeTheClientIsFreed) {
    const TeardownCase& tc = GetParam();
    FakeClientHost host;
    RecordingVideoView video;
    WorkerRig rig;
    CallingMediaFactory media(rig);
    auto client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, &media});
    rig.client.store(client.get());

    // The login answer asks for live view and makes the decoders; the channel information that would
    // mark live view as running has not come yet.
    std::vector<BYTE> hello(kHelloInfoSize, 0);
    hello[2] = 4; // the served product
    hello[6] = 4; // channels
    ASSERT_TRUE(client->ProcessMessage(PacketHeader::Request(Msg::HELLO48_ACK, kHelloInfoSize, true), hello.data(),
                                       kHelloInfoSize));
    if (tc.playback) {
        ASSERT_TRUE(client->ProcessMessage(PacketHeader::Request(Msg::PLAY_ON_ACK, 0, true), nullptr, 0));
    }
    client->Commands().SetListenSwitch(true);
    client->Media().StartAudioOut(tc.playback ? 0 : 1);
    ASSERT_GE(rig.decodersCreated.load(), 4);
    ASSERT_EQ(rig.playersCreated.load(), 1);
    ASSERT_GT(rig.running.load(), 0);

    if (tc.teardown == Teardown::Disconnect) {
        client->Disconnect();
        EXPECT_EQ(rig.running.load(), 0) << "workers still read the client after Disconnect";
    }
    // Freed while the video window still points at it, as the main window does.
    client.reset();
    rig.client.store(nullptr);

    EXPECT_EQ(rig.running.load(), 0);
    EXPECT_EQ(rig.releasedRunning.load(), 0) << "workers were deleted in the middle of the client's destruction";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DvrClientTeardownTest,
    ::testing::Values(TeardownCase{"DisconnectBeforeLiveConfirmed", false, Teardown::Disconnect},
                      TeardownCase{"DisconnectDuringPlayback", true, Teardown::Disconnect},
                      TeardownCase{"DroppedBeforeLiveConfirmed", false, Teardown::DropWithoutDisconnect},
                      TeardownCase{"DroppedDuringPlayback", true, Teardown::DropWithoutDisconnect}),
    [](const ::testing::TestParamInfo<TeardownCase>& info) { return std::string(info.param.name); });

} // namespace
