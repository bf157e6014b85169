#include "protocol/DvrClient.h"

#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

CDvrClient::CDvrClient(const DvrClientSeams& seams, const DvrClientTiming& timing) : m_seams(seams), m_timing(timing) {
    m_seams.host->ReportEvent(ClientEvent::ConnectionState, 1);
}

CDvrClient::~CDvrClient() {
    // A client dropped without Disconnect still leaves no thread behind.
    m_link.Abandon();
    m_play.StopClock();
    // The workers call back into the client (the decoders read its state through the video window):
    // they end here, while every member is still whole, not in the middle of member destruction.
    m_commands.StopMikeSender();
    m_media.ReleaseWorkers();
}

bool CDvrClient::Connect() {
    return m_link.StartConnect([this] { ConnectThreadProc(); });
}

void CDvrClient::ConnectThreadProc() {
    const auto failed = [this](LPARAM notice) {
        m_link.ConnectEnded();
        m_seams.host->PostConnectFailed(notice);
    };
    WSAStartup(0x0202);
    std::shared_ptr<CTcpConnection> conn = CTcpConnection::Create();
    if (!conn) {
        failed(kNoticeSocketFailed);
        return;
    }
    m_link.Adopt(conn); // from here Disconnect can cancel the attempt
    conn->SetKeepAlive(true, 3000, 2000);

    BYTE hello[kHelloRequestSize];
    m_login.MakeHelloRequest(hello);

    DWORD address = 0;
    int error = WSAEINVAL;
    if (InetPton4(m_login.GetAddressText(), &address)) {
        error = conn->Connect(address, static_cast<WORD>(m_login.GetPort()),
                              static_cast<int>(m_timing.connectTimeout.count()));
    }
    if (error != 0) {
        conn->Close();
        if (m_link.IsDisconnecting()) {
            // The operator cancelled the attempt: nothing failed, so nothing is logged or told.
            m_link.ConnectEnded();
            return;
        }
        m_seams.host->WriteLocalLog(2, 4, m_login.GetUserId(), m_login.GetAddressText());
        failed(error == WSAETIMEDOUT ? kNoticeConnectTimedOut : kNoticeConnectRefused);
        return;
    }
    if (!m_link.StartReceiving(conn, [this, conn] { SocketThreadProc(conn); })) {
        m_link.ConnectEnded();
        return;
    }
    const PacketHeader header = PacketHeader::Request(Msg::HELLO, sizeof hello);
    ::SendPacket(conn.get(), header, hello, sizeof hello);
    Trace("Send... HELLO\n");
    m_link.ConnectEnded();
}

void CDvrClient::Disconnect() {
    IClientHost& host = *m_seams.host;
    host.ReportEvent(ClientEvent::ConnectionState, 0);

    // A connect still under way is cancelled and waited for before anything else.
    m_link.CancelConnect();

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

    // From here the socket thread handles nothing more; it reads on until the recorder closes, so the
    // wait ends as soon as the recorder has taken BYE48 and gone, and no later than disconnectWait
    // for one that stays.
    m_link.SayBye(m_timing.disconnectWait);
    m_link.EndReceiving();
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
    if (m_login.IsConnected()) {
        host.WriteLocalLog(2, 2, m_login.GetUserId(), m_login.GetAddressText());
    }
    m_login.SetLoggedOut();
    m_live.ForgetLiveAsked();
    m_link.Reset();
}

int CDvrClient::SendPacket(const PacketHeader& header, const void* body, DWORD length) {
    return m_link.Send(header, body, length);
}
