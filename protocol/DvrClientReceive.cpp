// The socket thread: readiness wait, header read, audio bits, dispatch; login and BYE48.
#include "protocol/DvrClient.h"

#include "protocol/DvrClientReceiveBuffer.h"

#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <algorithm>

namespace {

// Room for several whole messages of the largest size.
constexpr std::size_t kReceiveBufferBytes = 256 * 1024;

template <typename Fn>
struct HandlerClass;
template <typename C>
struct HandlerClass<bool (C::*)(const RecvMessage&)> {
    using type = C;
};

// The object a handler belongs to: the client itself or one of its areas.
CDvrClient& AreaOf(CDvrClient& client, CDvrClient*) {
    return client;
}
CDvrClientCommands& AreaOf(CDvrClient& client, CDvrClientCommands*) {
    return client.Commands();
}
CDvrClientSetup& AreaOf(CDvrClient& client, CDvrClientSetup*) {
    return client.Setup();
}
CDvrClientSearch& AreaOf(CDvrClient& client, CDvrClientSearch*) {
    return client.Search();
}
CDvrClientBackup& AreaOf(CDvrClient& client, CDvrClientBackup*) {
    return client.Backup();
}
CDvrClientPlay& AreaOf(CDvrClient& client, CDvrClientPlay*) {
    return client.Play();
}
CDvrClientLive& AreaOf(CDvrClient& client, CDvrClientLive*) {
    return client.Live();
}

// A handler as the dispatch table calls it.
template <auto Fn>
bool Call(CDvrClient& client, const RecvMessage& m) {
    using Owner = typename HandlerClass<decltype(Fn)>::type;
    return (AreaOf(client, static_cast<Owner*>(nullptr)).*Fn)(m);
}

} // namespace

const std::array<CDvrClient::DispatchEntry, 512>& CDvrClient::DispatchTable() {
    static const std::array<DispatchEntry, 512> table = [] {
        std::array<DispatchEntry, 512> t{};
        auto set = [&t](WORD id, Handler h, bool traced = true) { t[id] = DispatchEntry{h, traced}; };
        set(Msg::BYE48, Call<&CDvrClient::RecvFn_Bye48>);
        set(Msg::HELLO48_ACK, Call<&CDvrClient::RecvFn_HelloAck>);
        set(Msg::LIVE_CHANNEL_INFO, Call<&CDvrClientLive::RecvFn_LiveChannelInfo>);
        set(Msg::LIVE_DATA, Call<&CDvrClientLive::RecvFn_LiveData>, false);
        set(Msg::LIVE_NACK, Call<&CDvrClientLive::RecvFn_LiveNack>);
        set(Msg::LIVE_STOP_ACK, Call<&CDvrClientLive::RecvFn_LiveStopAck>);
        set(Msg::LIVE_STOP_NACK, Call<&CDvrClientLive::RecvFn_LiveStopNack>);
        set(Msg::SYS_ETC_INFO_EX, Call<&CDvrClientSetup::RecvFn_SysEtcInfoEx>);
        set(Msg::REC_ON_ACK, Call<&CDvrClientCommands::RecvFn_RecOnAck>);
        set(Msg::REC_ON_NACK, Call<&CDvrClientCommands::RecvFn_RecOnNack>);
        set(Msg::REC_OFF_ACK, Call<&CDvrClientCommands::RecvFn_RecOffAck>);
        set(Msg::REC_OFF_NACK, Call<&CDvrClientCommands::RecvFn_RecOffNack>);
        set(Msg::PLAY_CHANNEL_INFO, Call<&CDvrClientPlay::RecvFn_PlayChannelInfo>);
        set(Msg::PLAY_ON_ACK, Call<&CDvrClientPlay::RecvFn_PlayOnAck>);
        set(Msg::PLAY_ON_NACK, Call<&CDvrClientPlay::RecvFn_PlayOnNack>);
        set(Msg::PLAY_OFF_ACK, Call<&CDvrClientPlay::RecvFn_PlayOffAck>);
        set(Msg::PLAY_OFF_NACK, Call<&CDvrClientPlay::RecvFn_PlayOffNack>);
        set(Msg::PLAY_FLOW, Call<&CDvrClientPlay::RecvFn_PlayFlow>, false);
        set(Msg::TRANS_ON_ACK, Call<&CDvrClientBackup::RecvFn_TransOnAck>);
        set(Msg::TRANS_ON_NACK, Call<&CDvrClientBackup::RecvFn_TransOnNack>);
        set(Msg::TRANS_OFF_ACK, Call<&CDvrClientBackup::RecvFn_TransOffAck>);
        set(Msg::TRANS_OFF_NACK, Call<&CDvrClientBackup::RecvFn_TransOffNack>);
        set(Msg::DB_INFO_ACK, Call<&CDvrClientSetup::RecvFn_DBInfoAck>);
        set(Msg::DB48_INFO_NACK, Call<&CDvrClientSetup::RecvFn_DBInfoNack>);
        set(Msg::DB_UPDATE_ACK, Call<&CDvrClientSetup::RecvFn_DBUpdateAck>);
        set(Msg::DB_UPDATE_NACK, Call<&CDvrClientSetup::RecvFn_DBUpdateNack>);
        set(Msg::DST_INFO, Call<&CDvrClientSetup::RecvFn_DstInfo>);
        set(Msg::DVR_TIME_ACK, Call<&CDvrClientSetup::RecvFn_DvrTimeAck>);
        set(Msg::FW_UPDATE_ACK, Call<&CDvrClientCommands::RecvFn_FwUpdateAck>);
        set(Msg::REC_STATUS, Call<&CDvrClientSetup::RecvFn_RecStatus>);
        set(Msg::MESSAGE_257, Call<&CDvrClientSetup::RecvFn_Message257>, false);
        set(Msg::DB_CHANGE, Call<&CDvrClientSetup::RecvFn_DBChange>);
        set(Msg::SYS_ETC_INFO, Call<&CDvrClientSetup::RecvFn_SysEtcInfo>);
        set(Msg::PLAY_INFO_MONTH_ACK, Call<&CDvrClientSearch::RecvFn_PlayInfoMonthAck>);
        set(Msg::PLAY_INFO_MONTH_NACK, Call<&CDvrClientSearch::RecvFn_PlayInfoMonthNack>);
        set(Msg::PLAY_INFO_DAY_ACK, Call<&CDvrClientSearch::RecvFn_PlayInfoDayAck>);
        set(Msg::PLAY_INFO_DAY_NACK, Call<&CDvrClientSearch::RecvFn_PlayInfoDayNack>);
        set(Msg::PLAY_DATA, Call<&CDvrClientPlay::RecvFn_PlayData>, false);
        set(Msg::PLAY_ON_FAIL, Call<&CDvrClientPlay::RecvFn_PlayOnFail>);
        set(Msg::PLAY_ON_DONE, Call<&CDvrClientPlay::RecvFn_PlayOnDone>);
        set(Msg::RIGHT_CHANGE, Call<&CDvrClientSetup::RecvFn_RightChange>);
        set(Msg::A_LISTEN_ACK, Call<&CDvrClientCommands::RecvFn_AListenAck>);
        set(Msg::A_LISTEN_NACK, Call<&CDvrClientCommands::RecvFn_AListenNack>);
        set(Msg::A_LISTEN_STOP_ACK, Call<&CDvrClientCommands::RecvFn_AListenStopAck>);
        set(Msg::PTZ_CHANNEL_ACK, Call<&CDvrClientCommands::RecvFn_PtzChannelAck>);
        set(Msg::TRANS_INFO_MONTH_ACK, Call<&CDvrClientSearch::RecvFn_TransInfoMonthAck>);
        set(Msg::TRANS_INFO_MONTH_NACK, Call<&CDvrClientSearch::RecvFn_TransInfoMonthNack>);
        set(Msg::TRANS_INFO_DAY_ACK, Call<&CDvrClientSearch::RecvFn_TransInfoDayAck>);
        set(Msg::TRANS_INFO_DAY_NACK, Call<&CDvrClientSearch::RecvFn_TransInfoDayNack>);
        set(Msg::TRANS_ON_DATA, Call<&CDvrClientBackup::RecvFn_TransOnData>, false);
        set(Msg::TRANS_ON_DONE, Call<&CDvrClientBackup::RecvFn_TransOnDone>);
        set(Msg::TRANS_ON_FAIL, Call<&CDvrClientBackup::RecvFn_TransOnFail>);
        set(Msg::FW_UPDATE_NACK, Call<&CDvrClientCommands::RecvFn_FwUpdateNack>);
        set(Msg::FW_DATA_RX_DONE, Call<&CDvrClientCommands::RecvFn_FwDataRxDone>);
        set(Msg::FW_DATA_RX_FAIL, Call<&CDvrClientCommands::RecvFn_FwDataRxFail>);
        set(Msg::FW_UPDATE_DONE, Call<&CDvrClientCommands::RecvFn_FwUpdateDone>);
        set(Msg::FW_UPDATE_FAIL, Call<&CDvrClientCommands::RecvFn_FwUpdateFail>);
        set(Msg::LOG_INFO_ACK, Call<&CDvrClientSearch::RecvFn_LogInfoAck>, false);
        set(Msg::LOG_INFO_NACK, Call<&CDvrClientSearch::RecvFn_Log48InfoNack>);
        set(Msg::SYSTEM_INFO_ACK, Call<&CDvrClientSearch::RecvFn_SystemInfoAck>);
        set(Msg::SYSTEM_INFO_NACK, Call<&CDvrClientSearch::RecvFn_System48InfoNack>);
        set(Msg::STATUS_INFO_ACK, Call<&CDvrClientSearch::RecvFn_StatusInfoAck>);
        set(Msg::STATUS_INFO_NACK, Call<&CDvrClientSearch::RecvFn_StatusInfoNack>);
        set(Msg::EVENT_INFO_ACK, Call<&CDvrClientSearch::RecvFn_EventInfoAck>);
        set(Msg::EVENT_INFO_NACK, Call<&CDvrClientSearch::RecvFn_EventInfoNack>);
        set(Msg::DB_INIT_ACK, Call<&CDvrClientSetup::RecvFn_DBInitAck>);
        set(Msg::DB_INIT_NACK, Call<&CDvrClientSetup::RecvFn_DBInitNack>);
        set(Msg::SEND_TEST_MAIL_ACK, Call<&CDvrClientCommands::RecvFn_SendTestMailAck>);
        set(Msg::SEND_TEST_MAIL_NACK, Call<&CDvrClientCommands::RecvFn_SendTestMailNack>);
        set(Msg::REBOOT_ACK, Call<&CDvrClientCommands::RecvFn_RebootAck>);
        set(Msg::REBOOT_NACK, Call<&CDvrClientCommands::RecvFn_RebootNack>);
        set(Msg::POWEROFF_ACK, Call<&CDvrClientCommands::RecvFn_PowerOffAck>);
        set(Msg::POWEROFF_NACK, Call<&CDvrClientCommands::RecvFn_PowerOffNack>);
        return t;
    }();
    return table;
}

void CDvrClient::SocketThreadProc(std::shared_ptr<CTcpConnection> conn) {
    Trace("Thread_Connecting...Start...\n");
    // Every payload is read whole before its handler runs, so the stream stays in step whatever a
    // handler makes of the bytes. Whatever has arrived is read at once, many messages per read while
    // video streams.
    CDvrClientReceiveBuffer received(kReceiveBufferBytes);
    const int idleMs = static_cast<int>(m_timing.idleWait.count());
    // When the first bytes of a message still incomplete arrived: it must be whole within the deadline.
    bool partial = false;
    std::chrono::steady_clock::time_point partialSince{};
    // A peer that takes the connection but never answers HELLO would hold the operator forever.
    const auto loginBy = std::chrono::steady_clock::now() + m_timing.loginDeadline;
    bool loginTimedOut = false;
    while (!m_link.IsStopping()) {
        if (m_link.IsByeGraceOver(m_timing.byeGrace)) {
            Trace("BYE48... the recorder kept the connection open\n");
            break;
        }
        if (!m_login.IsConnected() && !m_link.IsByeReceived() && !m_link.IsByeSent() &&
            std::chrono::steady_clock::now() >= loginBy) {
            Trace("HELLO48_ACK... no answer\n");
            loginTimedOut = true;
            break;
        }
        PacketHeader header;
        const BYTE* payload = nullptr;
        if (received.Next(header, payload)) {
            partial = false;
            if (m_link.IsByeSent()) {
                continue; // the client is leaving: whatever still comes is read and dropped
            }
            if (!ProcessMessage(header, payload, header.Length())) {
                break;
            }
            continue;
        }
        if (received.HasPartial()) {
            const auto now = std::chrono::steady_clock::now();
            if (!partial) {
                partial = true;
                partialSince = now;
            } else if (now - partialSince >= m_timing.recvDeadline) {
                Trace("FD_READ... LoopReceive error...\n");
                break;
            }
        }
        long events = 0;
        if (conn->WaitNetworkEvents(idleMs, &events) == WSA_WAIT_TIMEOUT) {
            continue;
        }
        if ((events & FD_CLOSE) != 0) {
            Trace("FD_CLOSE...\n");
            conn->Shutdown(SD_SEND);
            break;
        }
        if ((events & FD_READ) == 0) {
            continue;
        }
        const CDvrClientReceiveBuffer::FillResult filled = received.Fill(*conn);
        if (filled == CDvrClientReceiveBuffer::FillResult::Closed ||
            filled == CDvrClientReceiveBuffer::FillResult::Failed) {
            Trace("FD_READ... LoopReceive error...\n");
            break;
        }
    }
    conn->Close();
    m_link.Stop();
    m_media.EndAudioOut();
    if (loginTimedOut) {
        // Told and logged as a connect that timed out: the login never happened.
        m_seams.host->WriteLocalLog(2, 4, m_login.GetUserId(), m_login.GetAddressText());
        m_seams.host->PostConnectFailed(kNoticeConnectTimedOut);
    } else {
        m_seams.host->PostNotice(kNoticeConnectionClosed, ClientWindow::MainWindow);
    }
    Trace("Thread_Connecting... Close...\n");
    m_link.ReceivingEnded();
}

bool CDvrClient::ProcessMessage(const PacketHeader& header, const BYTE* payload, DWORD length) {
    m_media.ApplyAudioBits(header, m_live.IsLive(), m_play.IsRemotePlay());
    const WORD id = header.Id();
    const DispatchEntry& entry = DispatchTable()[id];
    if (entry.handler == nullptr) {
        if (id != Msg::SILENT_SKIP) {
            Trace("Unknown message...0x%x\n", id);
        }
        return true;
    }
    if (entry.traced) {
        Trace("Recv...%s...\n", MessageName(id, MsgDir::In));
    }
    const RecvMessage message{header, payload, std::min<DWORD>(length, kMaxPayloadLength)};
    return entry.handler(*this, message);
}

bool CDvrClient::RecvFn_Bye48(const RecvMessage& m) {
    m_login.SetLoggedOut();
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    LPARAM notice = 0;
    switch (reason) {
    case 1:
        notice = kNoticeByeUnknown;
        break;
    case 2:
        notice = kNoticeByeClosedByRecorder;
        break;
    case 3:
        notice = kNoticeByeSetupChanged;
        break;
    case 33:
        notice = kNoticeByeFirmwareUpdate;
        break;
    case 34:
        notice = kNoticeByeShutDown;
        break;
    case 35:
        notice = kNoticeByeAnotherUser;
        break;
    case 36:
        notice = kNoticeByeTooManyConnections;
        break;
    case -2:
        notice = kNoticeByeNoAnswer;
        break;
    case 37:
        notice = kNoticeNotAllowed;
        break;
    default:
        Trace("RecvFn_Bye48... %d\n", static_cast<int>(reason));
        break;
    }
    if (notice != 0) {
        m_seams.host->PostNotice(notice, ClientWindow::MainWindow);
    }
    m_seams.host->WriteLocalLog(2, 4, m_login.GetUserId(), m_login.GetAddressText());
    // The recorder closes the connection next; one that does not is left after a grace period.
    m_link.ByeReceived();
    return true;
}

bool CDvrClient::RecvFn_HelloAck(const RecvMessage& m) {
    if (m_login.IsConnected()) {
        // A second hello reply would start live view again over the running one.
        Trace("HELLO48_ACK... already connected\n");
        return true;
    }
    // The reply and the version flags are in place before live view starts and anyone sees the login.
    if (m_login.KeepHello(m) != kServedRecorderType) {
        m_seams.host->PostWrongProduct();
        return false;
    }
    m_seams.host->ReportEvent(ClientEvent::LoggedIn, 1);
    m_live.SendLiveReq();
    m_seams.host->WriteLocalLog(2, 1, m_login.GetUserId(), m_login.GetAddressText());
    return true;
}
