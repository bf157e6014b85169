// The setup record's transfer and the recorder's information blocks: DB_INFO, DB_UPDATE, DB_INIT,
// DB_CHANGE, SYS_ETC_INFO(_EX), DST_INFO, DVR_TIME, RIGHT_CHANGE, REC_STATUS and message 257.
#include "protocol/DvrClientSetup.h"

#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/Crc32.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <cstring>

namespace {

constexpr std::size_t kSetupPayloadSize = 4 + kSetupDatabaseSize;

} // namespace

void CDvrClientSetup::SendDbInfoReq() {
    m_setupResetPending.store(true);
    m_client.SendPacket(PacketHeader::Request(Msg::DB_INFO_REQ, 0), nullptr, 0);
    Trace("Send...DB_INFO_REQ...\n");
}

void CDvrClientSetup::SendDbUpdate(const SetupDatabase& db) {
    std::vector<BYTE> payload(kSetupPayloadSize);
    WriteBE32(payload.data(), Crc32(0, &db, sizeof(db)));
    std::memcpy(payload.data() + 4, &db, sizeof(db));
    m_client.SendPacket(PacketHeader::Request(Msg::DB_UPDATE_REQ, DWORD(payload.size())), payload.data(),
                        DWORD(payload.size()));
    Trace("Send...DB_UPDATE_REQ...\n");
}

void CDvrClientSetup::SendDbInitReq() {
    m_client.SendPacket(PacketHeader::Request(Msg::DB_INIT_REQ, 0), nullptr, 0);
    Trace("Send...DB_INIT_REQ...\n");
    std::this_thread::sleep_for(m_client.GetPlayTiming().commandSleep);
    m_client.Host().PostToWindow(ClientWindow::SetupFrame, kMsgClose, 0, 0);
}

bool CDvrClientSetup::TakeReceivedSetupDatabase(SetupDatabase& db) {
    std::lock_guard lock(m_infoLock);
    if (!m_receivedDbValid) {
        return false;
    }
    db = m_receivedDb;
    m_receivedDbValid = false;
    return true;
}

bool CDvrClientSetup::RecvFn_DBInfoAck(const RecvMessage& m) {
    if (m_setupResetPending.exchange(false)) {
        m_setupArea.Reset();
    }
    m_setupArea.Append({m.data, m.length});
    if (!m.header.IsLastFragment()) {
        return true;
    }
    // Whatever the outcome, the next reply starts from an empty area.
    const bool complete = m_setupArea.IsComplete();
    const std::span<const BYTE> block = m_setupArea.Block();
    bool good = complete && block.size() == kSetupPayloadSize;
    if (good) {
        good = ReadBE32(block.data()) == Crc32(0, block.data() + 4, kSetupDatabaseSize);
    }
    if (!good) {
        Trace("RecvFn_DBInfoAck... %zu bytes refused\n", complete ? block.size() : std::size_t(0));
        m_setupArea.Reset();
        m_client.Host().PostNotice(kNoticeSetupDamaged, ClientWindow::MainWindow);
        return true;
    }
    {
        std::lock_guard lock(m_infoLock);
        std::memcpy(&m_receivedDb, block.data() + 4, kSetupDatabaseSize);
        m_receivedDbValid = true;
    }
    m_setupArea.Reset();
    m_client.Host().PostToWindow(ClientWindow::MainWindow, WM_KELO_SETUP_READY, 0, 0);
    return true;
}

bool CDvrClientSetup::RecvFn_DBInfoNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientSetup::RecvFn_DBUpdateAck(const RecvMessage&) {
    m_client.Host().PostNotice(kNoticeSetupSaved, ClientWindow::MainWindow);
    return true;
}

bool CDvrClientSetup::RecvFn_DBUpdateNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientSetup::RecvFn_DBInitAck(const RecvMessage&) {
    return true;
}

bool CDvrClientSetup::RecvFn_DBInitNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

void CDvrClientSetup::ApplyHiddenFlags(bool countAgainstRightsCopy) {
    BYTE flags[16];
    int changed = 0;
    {
        std::lock_guard lock(m_infoLock);
        BYTE* kept = countAgainstRightsCopy ? m_hiddenRightsCopy : m_hiddenKept;
        for (int ch = 0; ch < 16; ++ch) {
            flags[ch] = m_dbChange.hidden[ch] != 0 ? 1 : 0;
            if (flags[ch] != kept[ch]) {
                ++changed;
            }
            kept[ch] = flags[ch];
        }
    }
    if (m_client.Video() != nullptr) {
        for (int ch = 0; ch < 16; ++ch) {
            m_client.Video()->SetChannelHidden(ch, flags[ch] != 0);
        }
    }
    if (changed == 0) {
        return;
    }
    if (countAgainstRightsCopy) {
        m_client.Live().ResetAvailableChannels();
    } else if (m_client.Video() != nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_client.Video()->Redraw();
    }
}

bool CDvrClientSetup::RecvFn_DBChange(const RecvMessage& m) {
    {
        std::lock_guard lock(m_infoLock);
        if (!ApplyDbChange(m_dbChange, {m.data, m.length})) {
            Trace("db change size : %d, Payload size : %d\n", int(sizeof(DbChangeBlock)), int(m.length));
            return true;
        }
    }
    if (!SeesHiddenChannels()) {
        ApplyHiddenFlags(false);
    } else {
        std::lock_guard lock(m_infoLock);
        std::memset(m_hiddenKept, 0, sizeof(m_hiddenKept));
    }
    if (m_client.Media().IsAudioOut()) {
        int channel = -1;
        {
            std::lock_guard lock(m_infoLock);
            channel = ListeningChannel(m_dbChange);
        }
        m_client.Media().SetListeningChannel(channel);
    }
    return true;
}

std::string CDvrClientSetup::GetCameraName(int channel) const {
    std::lock_guard lock(m_infoLock);
    return CameraName(m_dbChange, channel);
}

bool CDvrClientSetup::RecvFn_SysEtcInfo(const RecvMessage& m) {
    std::lock_guard lock(m_infoLock);
    if (!ApplySysEtcInfo(m_sysEtcInfo, {m.data, m.length})) {
        Trace("SysEtcInfo size : %d, Payload size : %d\n", int(sizeof(SysEtcInfo)), int(m.length));
    }
    return true;
}

bool CDvrClientSetup::RecvFn_SysEtcInfoEx(const RecvMessage& m) {
    std::lock_guard lock(m_infoLock);
    if (!ApplySysEtcInfoEx(m_sysEtcInfoEx, m_sysEtcInfoExArrived, {m.data, m.length})) {
        Trace("SysEtcInfoEx size : %d, Payload size : %d\n", int(sizeof(SysEtcInfoEx)), int(m.length));
    }
    return true;
}

SysEtcInfo CDvrClientSetup::GetSysEtcInfo() const {
    std::lock_guard lock(m_infoLock);
    return m_sysEtcInfo;
}

bool CDvrClientSetup::GetSysEtcInfoEx(SysEtcInfoEx& block) const {
    std::lock_guard lock(m_infoLock);
    block = m_sysEtcInfoEx;
    return m_sysEtcInfoExArrived;
}

bool CDvrClientSetup::RecvFn_DstInfo(const RecvMessage& m) {
    std::lock_guard lock(m_infoLock);
    if (!ApplyDstInfo(m_dstInfo, {m.data, m.length})) {
        Trace("DstInfo size : %d, Payload size : %d\n", int(sizeof(DstInfo)), int(m.length));
    }
    return true;
}

DstInfo CDvrClientSetup::GetDstInfo() const {
    std::lock_guard lock(m_infoLock);
    return m_dstInfo;
}

bool CDvrClientSetup::RecvFn_DvrTimeAck(const RecvMessage& m) {
    if (m.length < 4) {
        Trace("RecvFn_DvrTimeAck... size %u\n", unsigned(m.length));
        return true;
    }
    m_client.Host().PostToWindow(ClientWindow::SetupPage, WM_KELO_DVR_TIME, ReadBE32(m.data), 0);
    return true;
}

bool CDvrClientSetup::HasAccountRight(int right) const {
    const int account = m_accountIndex.load();
    std::lock_guard lock(m_infoLock);
    return HasRight(m_rights, right, account);
}

bool CDvrClientSetup::CheckLoginPassword(const char* typed) const {
    std::lock_guard lock(m_infoLock);
    return m_accountIndex.load() >= 0 && typed != nullptr && PasswordMatches(m_storedPassword, typed);
}

bool CDvrClientSetup::RecvFn_RightChange(const RecvMessage& m) {
    int account = -1;
    {
        std::lock_guard lock(m_infoLock);
        // A table of the wrong size leaves the one in force: it never revokes rights by accident.
        if (!ApplyRightChange(m_rights, {m.data, m.length})) {
            Trace("RightChange size : %d, Payload size : %d\n", int(sizeof(AccountRightsTable)), int(m.length));
            return true;
        }
        account = FindAccount(m_rights, m_client.Login().GetUserId());
        if (account >= 0 && !MayConnect(m_rights, account)) {
            m_client.StopReceiving();
            m_client.Host().PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
            return true;
        }
        // An account renamed or removed on the recorder keeps no rights at all.
        m_storedPassword = account >= 0 ? StoredPassword(m_rights, account) : std::array<char, 16>{};
        m_accountIndex.store(account);
    }
    IClientHost& host = m_client.Host();
    if (!HasAccountRight(kRightSetup)) {
        host.PostToWindow(ClientWindow::SetupFrame, kMsgClose, 0, 0);
    }
    const bool playback = HasAccountRight(kRightPlayback);
    const bool backup = HasAccountRight(kRightBackup);
    if (!playback && !backup) {
        host.PostToWindow(ClientWindow::SearchFrame, kMsgClose, 0, 0);
    } else {
        host.PostToWindow(ClientWindow::SearchFrame, WM_KELO_RIGHTS_CHANGED, !playback ? 1 : (!backup ? 2 : 0), 0);
    }
    if (!playback && m_client.Play().IsRemotePlay()) {
        m_client.Play().SendPlayStop();
    }
    if (!backup && m_client.IsBackup()) {
        m_client.Backup().SendTransOff();
    }
    if (!playback) {
        m_client.Search().ClearLatestRecords();
    }
    if (!HasAccountRight(kRightPtz) && m_client.Commands().IsPtzDialogOpen()) {
        // The pads, the keypad and the main window's PTZ state are the UI thread's: it closes them all.
        host.PostToWindow(ClientWindow::MainWindow, WM_KELO_PTZ_RIGHT_LOST, WPARAM(m_client.Commands().GetPtzMode()),
                          0);
    }
    if (!SeesHiddenChannels()) {
        ApplyHiddenFlags(true);
    }
    return true;
}

bool CDvrClientSetup::RecvFn_RecStatus(const RecvMessage& m) {
    RecStatusBlock status{};
    if (!ParseRecStatus({m.data, m.length}, status)) {
        Trace("rec ststus size : %d, Payload size : %d\n", int(sizeof(RecStatusBlock)), int(m.length));
        return true;
    }
    Trace("rec_status : 0x%x, %d\n", unsigned(status.status), int(status.status));
    const bool recording = IsRecordingMode(status);
    m_client.Commands().SetRecording(recording);
    return true;
}

bool CDvrClientSetup::RecvFn_Message257(const RecvMessage&) {
    return true;
}

bool CDvrClientSetup::SeesHiddenChannels() const {
    return HasAccountRight(kRightSeeHidden);
}

DWORD CDvrClientSetup::HiddenChannelMask() const {
    if (SeesHiddenChannels()) {
        return 0;
    }
    DWORD mask = 0;
    std::lock_guard lock(m_infoLock);
    for (int ch = 0; ch < 16; ++ch) {
        if (m_dbChange.hidden[ch] != 0) {
            mask |= DWORD(1) << ch;
        }
    }
    return mask;
}
