#include "platform/net/WinSock.h"

#include <arpa/inet.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <thread>

TEST(WinSock, ErrnoMapsToTheCodesTheProgramTests) {
    struct Case {
        int err;
        int wsa;
    };
    const Case cases[] = {
        {0, 0},
        {EAGAIN, WSAEWOULDBLOCK},
        {ETIMEDOUT, WSAETIMEDOUT},
        {ECONNREFUSED, WSAECONNREFUSED},
        {ECONNRESET, WSAECONNRESET},
        {EPIPE, WSAECONNRESET},
        {EINPROGRESS, WSAEINPROGRESS},
        {ENOTCONN, WSAENOTCONN},
        {EHOSTUNREACH, WSAEHOSTUNREACH},
        {ENETUNREACH, WSAENETUNREACH},
        {EINTR, WSAEINTR},
        {123456, WSAEINVAL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WSAErrorFromErrno(c.err), c.wsa) << "errno " << c.err;
    }
    EXPECT_EQ(WSAEWOULDBLOCK, 10035);
    EXPECT_EQ(WSAETIMEDOUT, 10060);
    EXPECT_EQ(WSAECONNREFUSED, 10061);
}

TEST(WinSock, LastErrorIsPerThread) {
    WSASetLastError(WSAECONNREFUSED);
    int other = -1;
    std::thread t([&] { other = WSAGetLastError(); });
    t.join();
    EXPECT_EQ(other, 0);
    EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
}

// The connect thread and the connect dialog pair these around their socket work, and clean up on
// every failure: there is no library state here, so each succeeds in any order and count, and leaves
// the next connection's calls working.
TEST(WinSock, StartupAndCleanupSucceedInAnyOrderAndCount) {
    EXPECT_EQ(WSACleanup(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(WSAStartup(0x0202), 0);
    }
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(WSACleanup(), 0);
    DWORD address = 0;
    ASSERT_TRUE(InetPton4("10.0.0.7", &address));
    EXPECT_EQ(address, htonl(0x0A000007));
}

TEST(WinSock, DottedTextIsParsedStrictly) {
    struct Case {
        const char* text;
        bool ok;
        const char* canonical;
    };
    const Case cases[] = {
        {"127.0.0.1", true, "127.0.0.1"},
        {"192.168.0.200", true, "192.168.0.200"},
        {"255.255.255.255", true, "255.255.255.255"},
        {"256.1.1.1", false, nullptr},
        {"1.2.3", false, nullptr},
        {"recorder", false, nullptr},
        {"", false, nullptr},
        {" 1.2.3.4", false, nullptr},
    };
    for (const Case& c : cases) {
        DWORD addr = 0xDEADBEEF;
        EXPECT_EQ(InetPton4(c.text, &addr), c.ok) << c.text;
        if (c.ok) {
            in_addr a{};
            a.s_addr = addr;
            EXPECT_EQ(std::string(inet_ntoa(a)), c.canonical);
        } else {
            EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
        }
    }
}

TEST(WinSock, NamesResolveToDottedText) {
    char dotted[32] = {};
    ASSERT_TRUE(ResolveHostToDotted("localhost", dotted, sizeof dotted));
    EXPECT_EQ(std::string(dotted), "127.0.0.1");
    ASSERT_TRUE(ResolveHostToDotted("10.1.2.3", dotted, sizeof dotted));
    EXPECT_EQ(std::string(dotted), "10.1.2.3");
    EXPECT_FALSE(ResolveHostToDotted("", dotted, sizeof dotted));
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    char tiny[4];
    EXPECT_FALSE(ResolveHostToDotted("localhost", tiny, sizeof tiny));
}
