#pragma once
// One TCP connection that owns its descriptor. Every sender and the one reader go through it:
// - a message is sent whole under the connection's send lock, so messages of several threads never
//   interleave, and a send waits for the peer at most until its deadline;
// - a failed or timed-out send breaks the connection (both directions shut down), so its reader ends;
// - after Close() nothing more is written or read, and waits in progress return at once. The
//   descriptor itself is released only when the last owner lets go of the object, so its number can
//   never be reused under a thread that still holds the connection.
// Results and errors follow Winsock: SOCKET_ERROR and WSAGetLastError() on failure.

#include "platform/net/WinSock.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>

class CTcpConnection {
public:
    static constexpr int kDefaultSendTimeoutMs = 10000;

    // A new IPv4 stream socket (non-blocking, close-on-exec). Null on failure, with the WSA error set.
    static std::shared_ptr<CTcpConnection> Create();
    // Takes ownership of an already connected descriptor (an accepted peer, one end of a socket pair).
    static std::shared_ptr<CTcpConnection> Adopt(int fd);

    CTcpConnection(const CTcpConnection&) = delete;
    CTcpConnection& operator=(const CTcpConnection&) = delete;
    ~CTcpConnection();

    // Keep-alive probes after timeMs of silence, then every intervalMs (whole seconds on Linux).
    bool SetKeepAlive(bool on, DWORD timeMs, DWORD intervalMs);

    // Connects to an address in network order. Returns 0, or the WSA error: WSAETIMEDOUT after
    // timeoutMs, WSAECONNREFUSED, ..., WSAESHUTDOWN when Close() cancelled the attempt.
    int Connect(DWORD addressNetOrder, WORD port, int timeoutMs);

    // Sends the whole buffer as one message. Returns len, or SOCKET_ERROR when the connection is
    // closed, broken, or the peer did not take the bytes within timeoutMs (the connection is then
    // broken, since part of the message may have gone out).
    int Send(const void* data, std::size_t len, int timeoutMs = kDefaultSendTimeoutMs);

    // One receive of at most len bytes: the count, 0 when the peer closed, or SOCKET_ERROR
    // (WSAEWOULDBLOCK when nothing is there yet).
    int Recv(void* buffer, std::size_t len);

    // Waits up to timeoutMs until bytes can be read or the connection ended: true then, false on time-out.
    bool WaitReadable(int timeoutMs);

    // The event-select wait: WSA_WAIT_TIMEOUT when nothing happened within timeoutMs, otherwise
    // WSA_WAIT_EVENT_0 with events set to FD_READ while unread bytes remain, or FD_CLOSE once the
    // peer closed (or the connection was closed here) and nothing is left to read. Bytes that arrived
    // before the peer closed are therefore always offered for reading first.
    DWORD WaitNetworkEvents(int timeoutMs, long* events);

    // shutdown() in a Winsock direction (SD_SEND, SD_RECEIVE, SD_BOTH).
    void Shutdown(int how);

    // Ends the connection for every user: refuses further sends and receives, wakes every wait and
    // shuts the socket down both ways. Safe from any thread, any number of times.
    void Close();

    bool IsClosed() const { return m_closed.load(); }

private:
    CTcpConnection(int fd, int wakeFd);

    // Polls the socket for `events` and the wake descriptor. Returns the socket's revents, 0 on
    // time-out, or -1 when the connection was closed here.
    int PollSocket(short events, int timeoutMs);
    void Break();

    const int m_fd;
    const int m_wakeFd;
    std::atomic<bool> m_closed{false};
    std::mutex m_sendLock;
};
