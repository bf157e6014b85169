#pragma once
// The setup record's transfer and the recorder's information: DB_INFO, DB_UPDATE, DB_INIT, DB_CHANGE,
// SYS_ETC_INFO(_EX), DST_INFO, DVR_TIME, RIGHT_CHANGE, REC_STATUS and message 257.
// Threads: the socket thread writes the blocks and rights, any thread reads copies of them; the UI
// thread sends the requests and takes the received record. The blocks are guarded by m_infoLock.

#include "platform/base/WinTypes.h"
#include "protocol/AccountRightsTable.h"
#include "protocol/DstInfo.h"
#include "protocol/FrameHeader.h"
#include "protocol/InfoBlocks.h"
#include "protocol/ReassemblyArea.h"
#include "protocol/RecvMessage.h"
#include "protocol/SetupDatabase.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>

class CDvrClient;

class CDvrClientSetup {
public:
    explicit CDvrClientSetup(CDvrClient& client) : m_client(client) {}
    CDvrClientSetup(const CDvrClientSetup&) = delete;
    CDvrClientSetup& operator=(const CDvrClientSetup&) = delete;

    void SendDbInfoReq();
    // Sends the record (network order, as it goes to the recorder) with its CRC-32.
    void SendDbUpdate(const SetupDatabase& db);
    void SendDbInitReq();
    // The record of the last DB_INFO_ACK that passed its check (network order); false when none is
    // waiting. The main window takes it on 0x5227, unless its setup frame is open.
    bool TakeReceivedSetupDatabase(SetupDatabase& db);

    std::string GetCameraName(int channel) const;
    SysEtcInfo GetSysEtcInfo() const;
    bool GetSysEtcInfoEx(SysEtcInfoEx& block) const; // false while none has arrived
    DstInfo GetDstInfo() const;
    int GetAccountIndex() const { return m_accountIndex.load(); }
    // Right k of the logged-in account; none without a matching account.
    bool HasAccountRight(int right) const;
    // The record-off prompt: the typed password against the login account's.
    bool CheckLoginPassword(const char* typed) const;
    bool SeesHiddenChannels() const;
    // The channels the last DB_CHANGE hides from this account (none when it sees hidden channels).
    DWORD HiddenChannelMask() const;

    // ---- Handlers (socket thread)
    bool RecvFn_DBInfoAck(const RecvMessage& m);
    bool RecvFn_DBInfoNack(const RecvMessage& m);
    bool RecvFn_DBUpdateAck(const RecvMessage& m);
    bool RecvFn_DBUpdateNack(const RecvMessage& m);
    bool RecvFn_DBInitAck(const RecvMessage& m);
    bool RecvFn_DBInitNack(const RecvMessage& m);
    bool RecvFn_DBChange(const RecvMessage& m);
    bool RecvFn_SysEtcInfo(const RecvMessage& m);
    bool RecvFn_SysEtcInfoEx(const RecvMessage& m);
    bool RecvFn_DstInfo(const RecvMessage& m);
    bool RecvFn_DvrTimeAck(const RecvMessage& m);
    bool RecvFn_RightChange(const RecvMessage& m);
    bool RecvFn_RecStatus(const RecvMessage& m);
    bool RecvFn_Message257(const RecvMessage& m);

private:
    void ApplyHiddenFlags(bool countAgainstRightsCopy);

    CDvrClient& m_client;
    // Socket thread: the setup record's fragments.
    CReassemblyArea m_setupArea{kFrameAreaSize};
    std::atomic<bool> m_setupResetPending{false};

    mutable std::mutex m_infoLock;
    SetupDatabase m_receivedDb{};
    bool m_receivedDbValid = false;
    DbChangeBlock m_dbChange{};
    BYTE m_hiddenKept[16] = {};       // the flags of the previous DB_CHANGE
    BYTE m_hiddenRightsCopy[16] = {}; // the flags RIGHT_CHANGE last applied
    SysEtcInfo m_sysEtcInfo{};
    SysEtcInfoEx m_sysEtcInfoEx{};
    bool m_sysEtcInfoExArrived = false;
    DstInfo m_dstInfo{};
    AccountRightsTable m_rights{};
    std::array<char, 16> m_storedPassword{};
    std::atomic<int> m_accountIndex{-1};
};
