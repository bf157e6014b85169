#include "protocol/DvrClient.h"

#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <cctype>
#include <cstring>

namespace {

std::atomic<unsigned> g_nextThreadId{1};

// How often Disconnect looks whether the socket thread has left.
constexpr std::chrono::milliseconds kDisconnectPoll{5};

unsigned NewThreadId() {
    return g_nextThreadId.fetch_add(1);
}

// Copies at most 16 characters, lower-cased (ASCII only, whatever the locale).
void CopyLower16(BYTE* out, const char* in) {
    for (int i = 0; i < 16 && in[i] != '\0'; ++i) {
        out[i] = static_cast<BYTE>(std::tolower(static_cast<unsigned char>(in[i])));
    }
}

void CopyBounded(char* out, std::size_t size, const char* in) {
    if (in == nullptr) {
        in = "";
    }
    std::size_t n = std::strlen(in);
    if (n >= size) {
        n = size - 1;
    }
    std::memcpy(out, in, n);
    out[n] = '\0';
}

} // namespace

CDvrClient::CDvrClient(const DvrClientSeams& seams, const DvrClientTiming& timing) : m_seams(seams), m_timing(timing) {
    m_seams.host->ReportEvent(ClientEvent::ConnectionState, 1);
}

CDvrClient::~CDvrClient() {
    // A client dropped without Disconnect still leaves no thread behind.
    m_disconnecting.store(true);
    m_bStop.store(true);
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        if (m_conn) {
            m_conn->Close();
        }
    }
    JoinThreads();
    m_play.StopClock();
    // The workers call back into the client (the decoders read its state through the video window):
    // they end here, while every member is still whole, not in the middle of member destruction.
    m_commands.StopMikeSender();
    m_media.ReleaseWorkers();
}

void CDvrClient::SetConnectParams(const char* address, DWORD port, const char* userId, const char* password) {
    CopyBounded(m_szAddress, sizeof m_szAddress, address);
    m_nPort = port;
    CopyBounded(m_szUserId, sizeof m_szUserId, userId);
    CopyBounded(m_szPassword, sizeof m_szPassword, password);
}

int CDvrClient::ChannelCount() const {
    int n = 0;
    {
        std::lock_guard lock(m_infoLock);
        n = m_hello.channel_num;
    }
    return (n == 4 || n == 8 || n == 16) ? n : 16;
}

HelloInfo CDvrClient::GetHello() const {
    std::lock_guard lock(m_infoLock);
    return m_hello;
}

std::string CDvrClient::GetAddress() const {
    return std::string(m_szAddress, strnlen(m_szAddress, sizeof m_szAddress));
}

bool CDvrClient::Connect() {
    std::lock_guard<std::mutex> lock(m_connLock);
    if (m_connectThread.joinable() || m_socketThread.joinable() || m_disconnecting.load()) {
        return false;
    }
    m_nConnectThreadID.store(NewThreadId());
    m_connectThread = std::thread([this] { ConnectThreadProc(); });
    return true;
}

void CDvrClient::ConnectFailed(LPARAM notice) {
    m_nConnectThreadID.store(0);
    m_seams.host->PostConnectFailed(notice);
}

void CDvrClient::ConnectThreadProc() {
    WSAStartup(0x0202);
    std::shared_ptr<CTcpConnection> conn = CTcpConnection::Create();
    if (!conn) {
        ConnectFailed(kNoticeSocketFailed);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        m_conn = conn; // from here Disconnect can cancel the attempt
        if (m_disconnecting.load()) {
            conn->Close();
        }
    }
    conn->SetKeepAlive(true, 3000, 2000);

    BYTE hello[32] = {};
    CopyLower16(hello, m_szUserId);
    CopyLower16(hello + 16, m_szPassword);

    DWORD address = 0;
    int error = WSAEINVAL;
    if (InetPton4(m_szAddress, &address)) {
        error = conn->Connect(address, static_cast<WORD>(m_nPort), static_cast<int>(m_timing.connectTimeout.count()));
    }
    if (error != 0) {
        conn->Close();
        if (m_disconnecting.load()) {
            // The operator cancelled the attempt: nothing failed, so nothing is logged or told.
            m_nConnectThreadID.store(0);
            return;
        }
        m_seams.host->WriteLocalLog(2, 4, m_szUserId, m_szAddress);
        ConnectFailed(error == WSAETIMEDOUT ? kNoticeConnectTimedOut : kNoticeConnectRefused);
        return;
    }

    {
        std::lock_guard<std::mutex> lock(m_connLock);
        if (m_disconnecting.load()) {
            conn->Close();
            m_nConnectThreadID.store(0);
            return;
        }
        m_bStop.store(false);
        m_nSockThreadID.store(NewThreadId());
        m_socketThread = std::thread([this, conn] { SocketThreadProc(conn); });
    }
    const PacketHeader header = PacketHeader::Request(Msg::HELLO, sizeof hello);
    ::SendPacket(conn.get(), header, hello, sizeof hello);
    Trace("Send... HELLO\n");
    m_nConnectThreadID.store(0);
}

void CDvrClient::JoinThreads() {
    std::thread connectThread;
    std::thread socketThread;
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        connectThread = std::move(m_connectThread);
    }
    if (connectThread.joinable()) {
        connectThread.join();
    }
    {
        std::lock_guard<std::mutex> lock(m_connLock);
        socketThread = std::move(m_socketThread);
    }
    if (socketThread.joinable()) {
        socketThread.join();
    }
}

void CDvrClient::Disconnect() {
    IClientHost& host = *m_seams.host;
    host.ReportEvent(ClientEvent::ConnectionState, 0);

    // A connect still under way is cancelled and waited for before anything else.
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
    if (connectThread.joinable()) {
        connectThread.join();
    }

    // Every activity that runs is stopped, so that a backup running beside live view is closed too;
    // live view asked for and not answered yet too, or the recorder would start it for no one.
    if (m_live.IsLive() || m_live.IsLiveAsked()) {
        m_live.SendLiveStop();
    }
    if (m_play.IsRemotePlay()) {
        m_play.SendPlayStop();
    }
    if (m_backup.IsBackup()) {
        m_backup.SendTransOff();
        host.PostToWindow(ClientWindow::BackupPopup, kMsgClose, 0, 0);
    }
    if (m_commands.IsListening()) {
        m_commands.SendAListenStop();
    }
    host.PostToWindow(ClientWindow::SearchFrame, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::SetupFrame, kMsgClose, 0, 0);
    if (m_commands.StopMikeSender()) {
        host.ReportEvent(ClientEvent::TalkState, 0);
    }
    if (m_seams.video != nullptr) {
        m_seams.video->ExitFullScreen();
    }

    m_search.ClearLatestRecords();

    std::shared_ptr<CTcpConnection> conn = GetConnection();
    if (conn) {
        // From here the socket thread handles nothing more; it reads on until the recorder closes, so
        // the wait ends as soon as the recorder has taken BYE48 and gone, and no later than
        // disconnectWait for one that stays.
        m_byeSent.store(true);
        ::SendPacket(conn.get(), PacketHeader::Request(Msg::BYE48, 0), nullptr, 0);
        Trace("Send...BYE48...\n");
        const auto waitUntil = std::chrono::steady_clock::now() + m_timing.disconnectWait;
        while (m_nSockThreadID.load() != 0 && std::chrono::steady_clock::now() < waitUntil) {
            std::this_thread::sleep_for(kDisconnectPoll);
        }
        // A recorder that stays is left: closing the connection wakes the socket thread at once.
        m_bStop.store(true);
        conn->Shutdown(SD_SEND);
        conn->Close();
    }
    m_bStop.store(true);
    {
        std::thread socketThread;
        {
            std::lock_guard<std::mutex> lock(m_connLock);
            socketThread = std::move(m_socketThread);
            m_conn.reset();
        }
        if (socketThread.joinable()) {
            socketThread.join();
        }
    }
    // Only now that the socket thread has ended can no frame, channel info or play acknowledgement
    // make new workers; whatever still runs (live view asked for but never confirmed, audio started
    // by a header) ends before the caller frees the client the decoders read through the video window.
    // The play clock drops what the ended playback left with it.
    m_play.WaitClockIdle(m_playTiming.drainLimit);
    m_media.ReleaseWorkers();

    host.PostToWindow(ClientWindow::FirmwareDialog, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::PtzKeypad, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::PtzMenu, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::PtzDialog, kMsgClose, 0, 0);
    if (m_bConnected.load() == 1) {
        host.WriteLocalLog(2, 2, m_szUserId, m_szAddress);
    }
    m_bConnected.store(0);
    m_live.ForgetLiveAsked();
    m_byeSent.store(false);
    m_disconnecting.store(false);
}

int CDvrClient::SendPacket(const PacketHeader& header, const void* body, DWORD length) {
    std::shared_ptr<CTcpConnection> conn = GetConnection();
    return conn ? ::SendPacket(conn.get(), header, body, length) : 0;
}

std::shared_ptr<CTcpConnection> CDvrClient::GetConnection() const {
    std::lock_guard<std::mutex> lock(m_connLock);
    return m_conn;
}
