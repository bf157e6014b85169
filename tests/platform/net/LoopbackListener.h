#pragma once
// A plain POSIX listening socket on 127.0.0.1 with an ephemeral port, for the peer side of tests.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
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
