#pragma once
// The socket and the two threads that use it (the connect thread opens it, the socket thread reads
// it), and the flags by which a connection ends in order: stop, a disconnect under way, BYE48 said
// or heard.
// Threads: the UI thread starts and ends the threads; the connect thread hands the open socket over
// and starts the socket thread; the socket thread reads the flags; any thread sends. m_connLock
// guards the socket and the thread objects; the flags and the thread ids are atomic.

#include "platform/base/WinTypes.h"
#include "platform/net/TcpConnection.h"
#include "protocol/PacketHeader.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class CDvrClientLink {
public:
    CDvrClientLink() = default;
    CDvrClientLink(const CDvrClientLink&) = delete;
    CDvrClientLink& operator=(const CDvrClientLink&) = delete;

    // Starts the connect thread; false while a connection runs or is being ended.
    bool StartConnect(std::function<void()> proc);
    // The connect thread's new socket: from here a disconnect can cancel the attempt (one already
    // under way closes it at once).
    void Adopt(const std::shared_ptr<CTcpConnection>& conn);
    // Starts the socket thread on the connected socket; false, with the socket closed, when a
    // disconnect came first.
    bool StartReceiving(const std::shared_ptr<CTcpConnection>& conn, std::function<void()> proc);
    // The connect or the socket thread has done its work.
    void ConnectEnded() { m_nConnectThreadID.store(0); }
    void ReceivingEnded() { m_nSockThreadID.store(0); }
    // The ids of the connect and socket threads while they run, 0 once they have ended.
    unsigned GetConnectThreadId() const { return m_nConnectThreadID.load(); }
    unsigned GetSocketThreadId() const { return m_nSockThreadID.load(); }

    // The connection, for the threads that send their own messages; null when there is none.
    std::shared_ptr<CTcpConnection> GetConnection() const;
    // Sends one message; 0 when there is no connection (or it is closed).
    int Send(const PacketHeader& header, const void* body, DWORD length);

    // Cancels a connect still under way and waits until the connect thread has ended.
    void CancelConnect();
    // Says BYE48 and waits until the recorder has closed (at most `wait`), then closes the socket.
    // From the BYE48 on, the socket thread handles nothing more and only reads on until the
    // recorder closes, so the connection ends without unread bytes.
    void SayBye(std::chrono::milliseconds wait);
    // Ends the socket thread and releases the socket.
    void EndReceiving();
    // The disconnect is over: a new connection may start.
    void Reset();
    // Closes the socket and ends both threads at once (a client dropped without a disconnect).
    void Abandon();

    // The socket thread ends after the message it handles.
    void Stop() { m_bStop.store(true); }
    bool IsStopping() const { return m_bStop.load(); }
    const std::atomic<bool>& StopFlag() const { return m_bStop; }
    bool IsDisconnecting() const { return m_disconnecting.load(); }
    // The recorder said BYE48 and closes next; one that does not is left after a grace period.
    void ByeReceived();
    bool IsByeReceived() const { return m_byeReceived.load(); }
    bool IsByeGraceOver(std::chrono::milliseconds grace) const;
    bool IsByeSent() const { return m_byeSent.load(); }

private:
    mutable std::mutex m_connLock; // guards m_conn and the thread objects
    std::shared_ptr<CTcpConnection> m_conn;
    std::thread m_connectThread;
    std::thread m_socketThread;
    std::atomic<unsigned> m_nConnectThreadID{0};
    std::atomic<unsigned> m_nSockThreadID{0};
    std::atomic<bool> m_bStop{true};
    std::atomic<bool> m_disconnecting{false};
    std::atomic<bool> m_byeSent{false};
    std::atomic<bool> m_byeReceived{false};
    std::chrono::steady_clock::time_point m_byeAt{}; // the socket thread's own
};
