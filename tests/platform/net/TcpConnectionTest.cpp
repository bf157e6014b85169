#include "platform/net/TcpConnection.h"
#include "tests/platform/net/LoopbackListener.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct ConnectedPair {
    std::shared_ptr<CTcpConnection> client;
    int peer = -1;
    ~ConnectedPair() {
        if (peer >= 0) {
            ::close(peer);
        }
    }
};

void ConnectPair(LoopbackListener& listener, ConnectedPair& pair) {
    pair.client = CTcpConnection::Create();
    ASSERT_TRUE(pair.client);
    ASSERT_EQ(pair.client->Connect(LoopbackAddress(), listener.Port(), 5000), 0);
    pair.peer = listener.Accept();
    ASSERT_GE(pair.peer, 0);
}

// Reads from a blocking descriptor until `len` bytes or end of stream.
std::string ReadPeer(int fd, std::size_t len) {
    std::string out;
    char buf[4096];
    while (out.size() < len) {
        const ssize_t n = ::recv(fd, buf, std::min(sizeof buf, len - out.size()), 0);
        if (n <= 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

// The descriptor of this process whose local end is the peer's remote end: the connection's own socket.
int LocalEndOf(int peer) {
    sockaddr_in remote{};
    socklen_t remoteLen = sizeof remote;
    if (::getpeername(peer, reinterpret_cast<sockaddr*>(&remote), &remoteLen) != 0) {
        return -1;
    }
    for (int fd = 0; fd < 4096; ++fd) {
        sockaddr_in local{};
        socklen_t localLen = sizeof local;
        if (fd != peer && ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLen) == 0 &&
            local.sin_family == AF_INET && local.sin_port == remote.sin_port &&
            local.sin_addr.s_addr == remote.sin_addr.s_addr) {
            return fd;
        }
    }
    return -1;
}

int IntOption(int fd, int level, int name) {
    int value = -1;
    socklen_t len = sizeof value;
    getsockopt(fd, level, name, &value, &len);
    return value;
}

} // namespace

TEST(TcpConnection, ConnectsWithTheKeepAliveTimesOfTheRecorderLink) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    ASSERT_TRUE(pair.client->SetKeepAlive(true, 3000, 2000));
    const int fd = LocalEndOf(pair.peer);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(IntOption(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(IntOption(fd, IPPROTO_TCP, TCP_KEEPIDLE), 3);
    EXPECT_EQ(IntOption(fd, IPPROTO_TCP, TCP_KEEPINTVL), 2);
}

TEST(TcpConnection, RefusedConnectGivesTheRefusedCode) {
    int port = 0;
    {
        LoopbackListener listener; // bound and closed again: nobody listens on the port now
        port = listener.Port();
    }
    auto conn = CTcpConnection::Create();
    ASSERT_TRUE(conn);
    EXPECT_EQ(conn->Connect(LoopbackAddress(), static_cast<WORD>(port), 5000), WSAECONNREFUSED);
}

TEST(TcpConnection, ConnectTimesOutAndCanBeCancelled) {
    // A listener whose accept queue is full drops further handshakes, so a connect hangs.
    LoopbackListener listener(0);
    std::vector<std::shared_ptr<CTcpConnection>> fillers;
    for (int i = 0; i < 8; ++i) {
        auto c = CTcpConnection::Create();
        c->Connect(LoopbackAddress(), listener.Port(), 200);
        fillers.push_back(c);
    }
    auto timed = CTcpConnection::Create();
    const auto start = std::chrono::steady_clock::now();
    const int result = timed->Connect(LoopbackAddress(), listener.Port(), 300);
    if (result == 0) {
        GTEST_SKIP() << "this kernel accepted beyond the backlog";
    }
    EXPECT_EQ(result, WSAETIMEDOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);

    auto cancelled = CTcpConnection::Create();
    std::atomic<int> cancelResult{-1};
    const int before = HandshakesUnderWay(listener.Port());
    std::thread t([&] { cancelResult = cancelled->Connect(LoopbackAddress(), listener.Port(), 60000); });
    // Closed only once its handshake is out, so that the close cancels a connect under way.
    EXPECT_TRUE(WaitForHandshake(listener.Port(), before));
    const auto closeAt = std::chrono::steady_clock::now();
    cancelled->Close();
    t.join();
    EXPECT_EQ(cancelResult.load(), WSAESHUTDOWN);
    EXPECT_LT(std::chrono::steady_clock::now() - closeAt, 10s);
}

TEST(TcpConnection, NothingIsSentOrReadAfterClose) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    ASSERT_EQ(pair.client->Send("abc", 3), 3);
    pair.client->Close();
    EXPECT_TRUE(pair.client->IsClosed());
    EXPECT_EQ(pair.client->Send("def", 3), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAESHUTDOWN);
    char buf[4];
    EXPECT_EQ(pair.client->Recv(buf, sizeof buf), SOCKET_ERROR);
    // The peer sees the one message and then the end of the stream.
    EXPECT_EQ(ReadPeer(pair.peer, 100), "abc");
}

TEST(TcpConnection, SendToAPeerThatDoesNotReadGivesUpAtItsDeadlineAndBreaksTheLink) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    std::vector<char> big(32 * 1024 * 1024, 'x');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(pair.client->Send(big.data(), big.size(), 300), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAETIMEDOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
    EXPECT_TRUE(pair.client->IsClosed());
    long events = 0;
    EXPECT_EQ(pair.client->WaitNetworkEvents(0, &events), WSA_WAIT_EVENT_0);
    EXPECT_EQ(events, FD_CLOSE);
}

TEST(TcpConnection, SendToAClosedPeerFailsWithoutASignal) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    ::close(pair.peer);
    pair.peer = -1;
    std::vector<char> chunk(64 * 1024, 'y');
    int result = 0;
    for (int i = 0; i < 50 && result != SOCKET_ERROR; ++i) {
        result = pair.client->Send(chunk.data(), chunk.size(), 2000);
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(result, SOCKET_ERROR); // and the process is still here: no SIGPIPE
    EXPECT_TRUE(pair.client->IsClosed());
}

TEST(TcpConnection, BytesBeforeThePeersCloseAreOfferedBeforeTheClose) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    long events = -1;
    EXPECT_EQ(pair.client->WaitNetworkEvents(0, &events), WSA_WAIT_TIMEOUT);

    ASSERT_EQ(::send(pair.peer, "hello", 5, 0), 5);
    ::close(pair.peer);
    pair.peer = -1;
    std::this_thread::sleep_for(50ms);

    std::string got;
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(pair.client->WaitNetworkEvents(5000, &events), WSA_WAIT_EVENT_0);
        if (events == FD_CLOSE) {
            break;
        }
        ASSERT_EQ(events, FD_READ);
        char buf[2];
        const int n = pair.client->Recv(buf, sizeof buf);
        ASSERT_GT(n, 0);
        got.append(buf, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(got, "hello");
    EXPECT_EQ(events, FD_CLOSE);
}

TEST(TcpConnection, CloseWakesAWaitingReader) {
    LoopbackListener listener;
    ConnectedPair pair;
    ConnectPair(listener, pair);
    std::atomic<long> seen{0};
    std::thread reader([&] {
        long events = 0;
        pair.client->WaitNetworkEvents(60000, &events);
        seen = events;
    });
    std::this_thread::sleep_for(50ms);
    pair.client->Close();
    reader.join();
    EXPECT_EQ(seen.load(), FD_CLOSE);
    EXPECT_TRUE(pair.client->WaitReadable(60000));
}
