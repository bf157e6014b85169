#include "platform/net/TcpConnection.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

int Fail(int wsaError) {
    WSASetLastError(wsaError);
    return SOCKET_ERROR;
}

bool MakeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) {
        return false;
    }
    return fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

} // namespace

CTcpConnection::CTcpConnection(int fd, int wakeFd) : m_fd(fd), m_wakeFd(wakeFd) {}

CTcpConnection::~CTcpConnection() {
    ::close(m_fd);
    ::close(m_wakeFd);
}

std::shared_ptr<CTcpConnection> CTcpConnection::Create() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        WSASetLastError(WSAErrorFromErrno(errno));
        return nullptr;
    }
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        WSASetLastError(WSAErrorFromErrno(errno));
        ::close(fd);
        return nullptr;
    }
    return std::shared_ptr<CTcpConnection>(new CTcpConnection(fd, wakeFd));
}

std::shared_ptr<CTcpConnection> CTcpConnection::Adopt(int fd) {
    if (fd < 0 || !MakeNonBlocking(fd)) {
        WSASetLastError(WSAENOTSOCK);
        return nullptr;
    }
    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        WSASetLastError(WSAErrorFromErrno(errno));
        return nullptr;
    }
    return std::shared_ptr<CTcpConnection>(new CTcpConnection(fd, wakeFd));
}

bool CTcpConnection::SetKeepAlive(bool on, DWORD timeMs, DWORD intervalMs) {
    const int enable = on ? 1 : 0;
    if (setsockopt(m_fd, SOL_SOCKET, SO_KEEPALIVE, &enable, sizeof enable) != 0) {
        WSASetLastError(WSAErrorFromErrno(errno));
        return false;
    }
    if (!on) {
        return true;
    }
    // Linux counts whole seconds; round up so a short time never turns into "never".
    const int idle = std::max(1, static_cast<int>((timeMs + 999) / 1000));
    const int interval = std::max(1, static_cast<int>((intervalMs + 999) / 1000));
    const int count = 10; // the probe count Windows uses, so a dead peer is noticed as late
    if (setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) != 0 ||
        setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) != 0 ||
        setsockopt(m_fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count) != 0) {
        WSASetLastError(WSAErrorFromErrno(errno));
        return false;
    }
    return true;
}

int CTcpConnection::PollSocket(short events, int timeoutMs) {
    const bool forever = timeoutMs < 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
    for (;;) {
        if (m_closed.load()) {
            return -1;
        }
        pollfd fds[2] = {{m_fd, events, 0}, {m_wakeFd, POLLIN, 0}};
        const int rc = ::poll(fds, 2, forever ? -1 : RemainingMs(deadline));
        if (rc < 0 && errno == EINTR) {
            continue;
        }
        if (rc < 0) {
            return POLLERR;
        }
        if (fds[1].revents != 0 || m_closed.load()) {
            return -1;
        }
        return fds[0].revents;
    }
}

int CTcpConnection::Connect(DWORD addressNetOrder, WORD port, int timeoutMs) {
    if (m_closed.load()) {
        return WSAESHUTDOWN;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = addressNetOrder;
    addr.sin_port = htons(port);
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
        return 0;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return WSAErrorFromErrno(errno);
    }
    const int revents = PollSocket(POLLOUT, timeoutMs);
    if (revents < 0) {
        return WSAESHUTDOWN;
    }
    if (revents == 0) {
        return WSAETIMEDOUT;
    }
    int error = 0;
    socklen_t len = sizeof error;
    if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0) {
        return WSAErrorFromErrno(errno);
    }
    return WSAErrorFromErrno(error);
}

int CTcpConnection::Send(const void* data, std::size_t len, int timeoutMs) {
    std::lock_guard<std::mutex> lock(m_sendLock);
    if (m_closed.load()) {
        return Fail(WSAESHUTDOWN);
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::size_t left = len;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (left > 0) {
        const ssize_t n = ::send(m_fd, p, left, MSG_NOSIGNAL);
        if (n > 0) {
            p += n;
            left -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int revents = PollSocket(POLLOUT, RemainingMs(deadline));
            if (revents < 0) {
                return Fail(WSAESHUTDOWN);
            }
            if (revents == 0) {
                // Part of the message may be out: the stream can't be trusted any more.
                Break();
                return Fail(WSAETIMEDOUT);
            }
            continue;
        }
        const int error = WSAErrorFromErrno(n < 0 ? errno : EPIPE);
        Break();
        return Fail(error);
    }
    return static_cast<int>(len);
}

int CTcpConnection::Recv(void* buffer, std::size_t len) {
    if (m_closed.load()) {
        return Fail(WSAESHUTDOWN);
    }
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, len, 0);
        if (n >= 0) {
            return static_cast<int>(n);
        }
        if (errno != EINTR) {
            return Fail(WSAErrorFromErrno(errno));
        }
    }
}

bool CTcpConnection::WaitReadable(int timeoutMs) {
    return PollSocket(POLLIN | POLLRDHUP, timeoutMs) != 0;
}

DWORD CTcpConnection::WaitNetworkEvents(int timeoutMs, long* events) {
    *events = 0;
    const int revents = PollSocket(POLLIN | POLLRDHUP, timeoutMs);
    if (revents == 0) {
        return WSA_WAIT_TIMEOUT;
    }
    if (revents < 0) {
        *events = FD_CLOSE;
        return WSA_WAIT_EVENT_0;
    }
    int available = 0;
    if ((revents & POLLIN) != 0 && ioctl(m_fd, FIONREAD, &available) == 0 && available > 0) {
        *events = FD_READ;
        return WSA_WAIT_EVENT_0;
    }
    // Readable with nothing to read is the peer's end of stream; hang-ups and errors end it too.
    *events = FD_CLOSE;
    return WSA_WAIT_EVENT_0;
}

void CTcpConnection::Shutdown(int how) {
    const int posixHow = how == SD_RECEIVE ? SHUT_RD : (how == SD_SEND ? SHUT_WR : SHUT_RDWR);
    ::shutdown(m_fd, posixHow);
}

void CTcpConnection::Break() {
    m_closed.store(true);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    ::shutdown(m_fd, SHUT_RDWR);
}

void CTcpConnection::Close() {
    Break();
    // A sender that got past its check is still in its (non-blocking) send loop and has just been
    // woken; wait for it, so that after Close() returns nothing more reaches the descriptor.
    std::lock_guard<std::mutex> lock(m_sendLock);
}
