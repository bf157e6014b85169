#include "protocol/DvrClientLink.h"

#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/Trace.h"

#include <utility>

namespace {

std::atomic<unsigned> g_nextThreadId{1};

// How often a disconnect looks whether the socket thread has left.
constexpr std::chrono::milliseconds kDisconnectPoll{5};

unsigned NewThreadId() {
    return g_nextThreadId.fetch_add(1);
}

void Join(std::thread& thread) {
    if (thread.joinable()) {
        thread.join();
    }
}

} // namespace

bool CDvrClientLink::StartConnect(std::function<void()> proc) {
    std::lock_guard<std::mutex> lock(m_connLock);
    if (m_connectThread.joinable() || m_socketThread.joinable() || m_disconnecting.load()) {
        return false;
    }
    m_nConnectThreadID.store(NewThreadId());
    m_connectThread = std::thread(std::move(proc));
    return true;
}

void CDvrClientLink::Adopt(const std::shared_ptr<CTcpConnection>& conn) {
    std::lock_guard<std::mutex> lock(m_connLock);
    m_conn = conn;
    if (m_disconnecting.load()) {
        conn->Close();
    }
}

bool CDvrClientLink::StartReceiving(const std::shared_ptr<CTcpConnection>& conn, std::function<void()> proc) {
    std::lock_guard<std::mutex> lock(m_connLock);
    if (m_disconnecting.load()) {
        conn->Close();
        return false;
    }
    m_byeReceived.store(false);
    m_bStop.store(false);
    m_nSockThreadID.store(NewThreadId());
    m_socketThread = std::thread(std::move(proc));
    return true;
}

std::shared_ptr<CTcpConnection> CDvrClientLink::GetConnection() const {
    std::lock_guard<std::mutex> lock(m_connLock);
    return m_conn;
}

int CDvrClientLink::Send(const PacketHeader& header, const void* body, DWORD length) {
    std::shared_ptr<CTcpConnection> conn = GetConnection();
    return conn ? ::SendPacket(conn.get(), header, body, length) : 0;
}

void CDvrClientLink::CancelConnect() {
    if (m_nConnectThreadID.load() != 0) {
        m_disconnecting.store(true);
        std::lock_guard<std::mutex> lock(m_connLock);
        if (m_conn && m_nSockThreadID.load() == 0) {
            m_conn->Close();
        }
    }
    std::thread connectThread;
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        connectThread = std::move(m_connectThread);
    }
    Join(connectThread);
}

void CDvrClientLink::SayBye(std::chrono::milliseconds wait) {
    std::shared_ptr<CTcpConnection> conn = GetConnection();
    if (conn) {
        // The wait ends as soon as the recorder has taken BYE48 and gone.
        m_byeSent.store(true);
        ::SendPacket(conn.get(), PacketHeader::Request(Msg::BYE48, 0), nullptr, 0);
        Trace("Send...BYE48...\n");
        const auto waitUntil = std::chrono::steady_clock::now() + wait;
        while (m_nSockThreadID.load() != 0 && std::chrono::steady_clock::now() < waitUntil) {
            std::this_thread::sleep_for(kDisconnectPoll);
        }
        // A recorder that stays is left: closing the connection wakes the socket thread at once.
        m_bStop.store(true);
        conn->Shutdown(SD_SEND);
        conn->Close();
    }
    m_bStop.store(true);
}

void CDvrClientLink::EndReceiving() {
    m_bStop.store(true);
    std::thread socketThread;
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        socketThread = std::move(m_socketThread);
        m_conn.reset();
    }
    Join(socketThread);
}

void CDvrClientLink::Reset() {
    m_byeSent.store(false);
    m_disconnecting.store(false);
}

void CDvrClientLink::Abandon() {
    m_disconnecting.store(true);
    m_bStop.store(true);
    std::thread connectThread;
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        if (m_conn) {
            m_conn->Close();
        }
        connectThread = std::move(m_connectThread);
    }
    Join(connectThread);
    std::thread socketThread;
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        socketThread = std::move(m_socketThread);
    }
    Join(socketThread);
}

void CDvrClientLink::ByeReceived() {
    m_byeAt = std::chrono::steady_clock::now();
    m_byeReceived.store(true);
}

bool CDvrClientLink::IsByeGraceOver(std::chrono::milliseconds grace) const {
    return m_byeReceived.load() && std::chrono::steady_clock::now() - m_byeAt > grace;
}
