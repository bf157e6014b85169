// The Time Protocol client against a local time server on an ephemeral loopback port.
#include "setup/TimeProtocolClient.h"
#include "tests/setup/LocalTimeServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

void SendBytes(int fd, std::vector<BYTE> bytes) {
    LocalTimeServer::SendBytes(fd, std::move(bytes));
}
void WaitForPeerClose(int fd) {
    LocalTimeServer::WaitForPeerClose(fd);
}

TEST(TimeProtocolClientTest, AnswersAreSecondsSince1900TakenToSecondsSince1970) {
    struct Case {
        const char* what;
        std::function<void(int)> script;
        LONG code;
        DWORD seconds;
    };
    const Case cases[] = {
        {"one whole answer",
         [](int fd) {
             SendBytes(fd, {0xE8, 0x75, 0x47, 0x00});
         },
         0, 1691011200},
        {"an answer in two pieces",
         [](int fd) {
             SendBytes(fd, {0xE8, 0x75});
             std::this_thread::sleep_for(50ms);
             SendBytes(fd, {0x47, 0x00});
         },
         0, 1691011200},
        {"the epoch itself",
         [](int fd) {
             SendBytes(fd, {0x83, 0xAA, 0x7E, 0x80});
         },
         0, 0},
        {"three bytes and close",
         [](int fd) {
             SendBytes(fd, {0xE8, 0x75, 0x47});
         },
         -4, 0},
        {"close without a word", [](int) {}, -4, 0},
    };
    for (const Case& c : cases) {
        LocalTimeServer server(c.script);
        const TimeQueryResult result = CTimeProtocolClient::QueryTimeServer(server.Options());
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_EQ(result.seconds, c.seconds) << c.what;
    }
}

TEST(TimeProtocolClientTest, SilentServerTimesOut) {
    LocalTimeServer server([](int fd) { WaitForPeerClose(fd); });
    const auto start = std::chrono::steady_clock::now();
    const TimeQueryResult result = CTimeProtocolClient::QueryTimeServer(server.Options(300));
    EXPECT_EQ(result.code, -4);
    // Bounded by the read time-out (no upper bound asserted: the machine may be loaded).
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
    EXPECT_TRUE(server.Accepted());
}

TEST(TimeProtocolClientTest, FailuresBeforeTheAnswer) {
    TimeServerOptions noName;
    noName.port = 37;
    EXPECT_EQ(CTimeProtocolClient::QueryTimeServer(noName).code, -1);

    TimeServerOptions refused;
    refused.hosts = {"127.0.0.1"};
    refused.port = LocalTimeServer::ClosedPort();
    EXPECT_EQ(CTimeProtocolClient::QueryTimeServer(refused).code, -3);

    // The first name that resolves is asked; an empty name does not resolve.
    LocalTimeServer server([](int fd) { SendBytes(fd, {0xE8, 0x75, 0x47, 0x00}); });
    TimeServerOptions second = server.Options();
    second.hosts = {"", "127.0.0.1"};
    const TimeQueryResult result = CTimeProtocolClient::QueryTimeServer(second);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.seconds, 1691011200u);
}

TEST(TimeProtocolClientTest, PortDefaultsToTheTimeService) {
    TimeServerOptions options;
    EXPECT_EQ(CTimeProtocolClient::ServerPort(options), 37);
    options.port = 3737;
    EXPECT_EQ(CTimeProtocolClient::ServerPort(options), 3737);
    EXPECT_EQ(CTimeProtocolClient::BuiltInServers().hosts.size(), 2u);
}

// The worker reports on its own thread.
class ResultBox {
public:
    void Put(const TimeQueryResult& result) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_result = result;
        m_calls++;
        m_changed.notify_all();
    }
    std::optional<TimeQueryResult> Wait(std::chrono::milliseconds limit = 30s) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait_for(lock, limit, [this] { return m_result.has_value(); });
        return m_result;
    }
    int Calls() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_calls;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::optional<TimeQueryResult> m_result;
    int m_calls = 0;
};

TEST(TimeProtocolClientTest, WorkerReportsTheAnswerOffTheCallingThread) {
    LocalTimeServer server([](int fd) { SendBytes(fd, {0xE8, 0x75, 0x47, 0x00}); });
    CTimeProtocolClient client(server.Options());
    ResultBox box;
    std::thread::id reporter;
    ASSERT_TRUE(client.Start([&](const TimeQueryResult& r) {
        reporter = std::this_thread::get_id();
        box.Put(r);
    }));
    const auto result = box.Wait();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, 0);
    EXPECT_EQ(result->seconds, 1691011200u);
    EXPECT_NE(reporter, std::this_thread::get_id());
}

TEST(TimeProtocolClientTest, CancelEndsAStalledQueryAndDropsItsResult) {
    std::atomic<bool> peerClosed{false};
    LocalTimeServer server([&](int fd) {
        WaitForPeerClose(fd);
        peerClosed.store(true);
    });
    ResultBox box;
    {
        CTimeProtocolClient client(server.Options(60000));
        ASSERT_TRUE(client.Start([&](const TimeQueryResult& r) { box.Put(r); }));
        // Wait until the query is connected and waits for its answer, then give up on it.
        for (int i = 0; i < 3000 && !server.Accepted(); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        ASSERT_TRUE(server.Accepted());
        client.Cancel();
        EXPECT_EQ(box.Calls(), 0);
    }
    // The connection was closed at once, not after the minute-long read time-out.
    for (int i = 0; i < 3000 && !peerClosed.load(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(peerClosed.load());
    EXPECT_EQ(box.Calls(), 0);
}

} // namespace
