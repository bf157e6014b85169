#pragma once
// A time server for the tests: a listener on an ephemeral loopback port that serves one connection
// with a script (the script gets the accepted descriptor; the server closes it afterwards).

#include "platform/base/WinTypes.h"
#include "setup/TimeProtocolClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

class LocalTimeServer {
public:
    explicit LocalTimeServer(std::function<void(int fd)> script) : m_script(std::move(script)) {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_listener, 4);
        socklen_t len = sizeof addr;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] {
            const int fd = ::accept(m_listener, nullptr, nullptr);
            if (fd < 0) {
                return;
            }
            m_accepted.store(true);
            m_script(fd);
            ::close(fd);
        });
    }
    ~LocalTimeServer() {
        ::shutdown(m_listener, SHUT_RDWR); // wakes an accept that never got a peer
        m_thread.join();
        ::close(m_listener);
    }
    LocalTimeServer(const LocalTimeServer&) = delete;
    LocalTimeServer& operator=(const LocalTimeServer&) = delete;

    WORD Port() const { return m_port; }
    bool Accepted() const { return m_accepted.load(); }

    TimeServerOptions Options(int readTimeoutMs = 10000) const {
        TimeServerOptions options;
        options.hosts = {"127.0.0.1"};
        options.port = m_port;
        options.connectTimeoutMs = 10000;
        options.readTimeoutMs = readTimeoutMs;
        return options;
    }

    static void SendBytes(int fd, std::vector<BYTE> bytes) { ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // Sends the four-byte answer: seconds since 1900, big-endian.
    static void SendTime(int fd, DWORD secondsSince1900) {
        SendBytes(fd, {BYTE(secondsSince1900 >> 24), BYTE(secondsSince1900 >> 16), BYTE(secondsSince1900 >> 8),
                       BYTE(secondsSince1900)});
    }
    // Waits until the peer closes its side (or the time is up).
    static void WaitForPeerClose(int fd, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
        timeval tv{};
        tv.tv_sec = long(limit.count() / 1000);
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        BYTE sink[16];
        while (::recv(fd, sink, sizeof sink, 0) > 0) {
        }
    }
    // A port on loopback that nobody listens on.
    static WORD ClosedPort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        ::close(fd);
        return ntohs(addr.sin_port);
    }

private:
    std::function<void(int)> m_script;
    int m_listener = -1;
    WORD m_port = 0;
    std::atomic<bool> m_accepted{false};
    std::thread m_thread;
};
