#pragma once
// A plain POSIX listening socket on 127.0.0.1 with an ephemeral port, for the peer side of tests.

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class LoopbackListener {
public:
    explicit LoopbackListener(int backlog = 8) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_fd, backlog);
        socklen_t len = sizeof addr;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
    }
    ~LoopbackListener() { ::close(m_fd); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    unsigned short Port() const { return m_port; }
    int Fd() const { return m_fd; }
    // A blocking accept; the caller closes the descriptor.
    int Accept() { return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC); }

private:
    int m_fd = -1;
    unsigned short m_port = 0;
};

inline unsigned int LoopbackAddress() {
    return htonl(INADDR_LOOPBACK);
}

// Handshakes this machine has sent towards the port and not yet completed (sockets in SYN-SENT, as
// the kernel lists them): a connect that is under way, seen from outside the connecting object.
inline int HandshakesUnderWay(unsigned short port) {
    std::FILE* table = std::fopen("/proc/net/tcp", "r");
    if (table == nullptr) {
        return -1;
    }
    int count = 0;
    char line[512];
    while (std::fgets(line, sizeof line, table) != nullptr) {
        unsigned remoteAddress = 0;
        unsigned remotePort = 0;
        unsigned state = 0;
        if (std::sscanf(line, " %*d: %*x:%*x %x:%x %x", &remoteAddress, &remotePort, &state) == 3 &&
            remotePort == port && state == 2) {
            ++count;
        }
    }
    std::fclose(table);
    return count;
}

// Waits until more handshakes than `before` are under way towards the port; false after `limit`.
inline bool WaitForHandshake(unsigned short port, int before,
                             std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (HandshakesUnderWay(port) <= before) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
