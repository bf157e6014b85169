// Refusals and their notices; the search frame's list replies and their refusals.
#include "protocol/DvrClient.h"

#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <span>

namespace {

struct ReasonNotice {
    LONG reason;
    LPARAM notice;
};

constexpr ReasonNotice kLive[] = {{1, kNoticeLiveRefused}};
constexpr ReasonNotice kRecord[] = {
    {1, kNoticeLiveRefused}, {65, kNoticeLiveNotAllowedNow}, {66, kNoticeLivePlaybackRunning}};
constexpr ReasonNotice kStopOrPower[] = {{1, kNoticeRefused}, {2, kNoticeRefusedWrongRequest}};
constexpr ReasonNotice kPlayOnNack[] = {
    {1, kNoticeRefused}, {53, kNoticeRefusedInUse}, {83, kNoticeNothingFound}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kStreamFail[] = {{1, kNoticeRefused},
                                        {53, kNoticeRefusedInUse},
                                        {83, kNoticeNothingFound},
                                        {86, kNoticeRefusedBusy},
                                        {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kTransOnNack[] = {{1, kNoticeRefused},         {53, kNoticeRefusedInUse},
                                         {83, kNoticeNothingFound},   {86, kNoticeRefusedBusy},
                                         {87, kNoticeRefusedNoSpace}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kDbInfoNack[] = {
    {1, kNoticeRefused}, {2, kNoticeRefusedWrongRequest}, {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy}};
constexpr ReasonNotice kDbUpdateNack[] = {{1, kNoticeSetupRefused},
                                          {51, kNoticeSetupRefusedBusy},
                                          {81, kNoticeSetupRefusedInvalid},
                                          {97, kNoticeSetupRefusedChanging}};
constexpr ReasonNotice kDbInitNack[] = {{1, kNoticeRefused},
                                        {2, kNoticeRefusedWrongRequest},
                                        {97, kNoticeRefusedSetupChanging},
                                        {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kTestMailNack[] = {{1, kNoticeRefused}};
// Reason 83 of a month refusal is an empty calendar, not a notice.
constexpr ReasonNotice kMonthNack[] = {
    {1, kNoticeRefused}, {53, kNoticeRefusedInUse}, {86, kNoticeRefusedBusy}, {98, kNoticeRefusedDiskError}};
// Day and event refusals: the reasons of both descriptions of the recorder's answers.
constexpr ReasonNotice kDayOrEventNack[] = {
    {1, kNoticeRefused},       {52, kNoticeRefusedInUse}, {53, kNoticeRefusedInUse},     {82, kNoticeNothingFound},
    {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy},  {97, kNoticeRefusedDiskError}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kInfoNack[] = {{1, kNoticeRefused}, {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy}};
constexpr ReasonNotice kAListenNack[] = {{1, kNoticeRefused},          {2, kNoticeRefusedWrongRequest},
                                         {53, kNoticeRefusedInUse},    {54, kNoticeTalkInUse},
                                         {55, kNoticeTalkUnavailable}, {98, kNoticeRefusedDiskError}};

std::span<const ReasonNotice> RefusalTable(WORD id) {
    switch (id) {
    case Msg::LIVE_NACK:
    case Msg::LIVE_STOP_NACK:
        return kLive;
    case Msg::REC_ON_NACK:
    case Msg::REC_OFF_NACK:
        return kRecord;
    case Msg::PLAY_OFF_NACK:
    case Msg::TRANS_OFF_NACK:
    case Msg::REBOOT_NACK:
    case Msg::POWEROFF_NACK:
        return kStopOrPower;
    case Msg::PLAY_ON_NACK:
        return kPlayOnNack;
    case Msg::PLAY_ON_FAIL:
    case Msg::TRANS_ON_FAIL:
        return kStreamFail;
    case Msg::TRANS_ON_NACK:
        return kTransOnNack;
    case Msg::DB48_INFO_NACK:
        return kDbInfoNack;
    case Msg::DB_UPDATE_NACK:
        return kDbUpdateNack;
    case Msg::DB_INIT_NACK:
        return kDbInitNack;
    case Msg::SEND_TEST_MAIL_NACK:
        return kTestMailNack;
    case Msg::PLAY_INFO_MONTH_NACK:
    case Msg::TRANS_INFO_MONTH_NACK:
        return kMonthNack;
    case Msg::PLAY_INFO_DAY_NACK:
    case Msg::TRANS_INFO_DAY_NACK:
    case Msg::EVENT_INFO_NACK:
        return kDayOrEventNack;
    case Msg::LOG_INFO_NACK:
    case Msg::SYSTEM_INFO_NACK:
    case Msg::STATUS_INFO_NACK:
        return kInfoNack;
    case Msg::A_LISTEN_NACK:
        return kAListenNack;
    default:
        return {};
    }
}

} // namespace

LPARAM CDvrClient::RefusalNotice(WORD id, LONG reason) {
    for (const ReasonNotice& rn : RefusalTable(id)) {
        if (rn.reason == reason) {
            return rn.notice;
        }
    }
    return 0;
}

LONG CDvrClient::PostRefusal(const RecvMessage& m, ClientWindow over) {
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    const LPARAM notice = RefusalNotice(m.header.Id(), reason);
    if (notice != 0) {
        m_seams.host->PostNotice(notice, over);
    } else {
        Trace("RecvFn_%s... %d\n", MessageName(m.header.Id(), MsgDir::In), static_cast<int>(reason));
    }
    return reason;
}

bool CDvrClient::GatherSearchReply(const RecvMessage& m, UINT readyMessage, std::size_t recordSize) {
    if (m_searchResetPending.exchange(false)) {
        m_searchReply.clear();
        m_searchReplyTruncated = false;
    }
    if (!m_searchFrameOpen.load()) {
        // Nobody asked (the frame closed): the bytes were read and are dropped.
        if (m.header.IsLastFragment()) {
            m_searchReply.clear();
            m_searchReplyTruncated = false;
        }
        return true;
    }
    const std::size_t room = kSearchReplyCapacity - m_searchReply.size();
    const std::size_t take = m.length < room ? m.length : room;
    m_searchReply.insert(m_searchReply.end(), m.data, m.data + take);
    if (take < m.length) {
        m_searchReplyTruncated = true;
    }
    if (!m.header.IsLastFragment()) {
        return true;
    }
    if (m_searchReplyTruncated) {
        Trace("search reply over %u bytes cut\n", unsigned(kSearchReplyCapacity));
    }
    if (recordSize != 0) {
        FinishRecordReply(readyMessage, recordSize);
    } else {
        FinishTextReply(readyMessage);
    }
    return true;
}

void CDvrClient::FinishRecordReply(UINT readyMessage, std::size_t recordSize) {
    const std::size_t count = m_searchReply.size() / recordSize;
    std::vector<BYTE> records(m_searchReply.begin(), m_searchReply.begin() + std::ptrdiff_t(count * recordSize));
    // The buffer starts empty for the next reply whatever this one held.
    m_searchReply.clear();
    m_searchReplyTruncated = false;
    IClientHost& host = *m_seams.host;
    if (count == 0) {
        // No whole record: the frame gets its empty result instead of waiting for ever.
        if (readyMessage == WM_KELO_PLAY_DAY_READY || readyMessage == WM_KELO_TRANS_DAY_READY) {
            host.ClearSearchBusy();
            host.PostNotice(kNoticeNothingFound, ClientWindow::MainWindow);
        } else {
            host.DeliverSearchReply(readyMessage, {}, 0);
        }
        return;
    }
    if (readyMessage == WM_KELO_PLAY_MONTH_READY || readyMessage == WM_KELO_PLAY_DAY_READY ||
        readyMessage == WM_KELO_EVENT_LIST_READY) {
        std::lock_guard<std::mutex> lock(m_cacheLock);
        (readyMessage == WM_KELO_PLAY_MONTH_READY ? m_latestMonthRecords : m_latestSegmentRecords) = records;
    }
    host.DeliverSearchReply(readyMessage, std::move(records), static_cast<DWORD>(count));
}

void CDvrClient::FinishTextReply(UINT readyMessage) {
    std::vector<BYTE> bytes;
    bytes.swap(m_searchReply);
    m_searchReplyTruncated = false;
    const DWORD size = static_cast<DWORD>(bytes.size());
    m_seams.host->DeliverSearchReply(readyMessage, std::move(bytes), size);
}

bool CDvrClient::RecvFn_PlayInfoMonthAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_PLAY_MONTH_READY, kMonthRecordSize);
}

bool CDvrClient::RecvFn_TransInfoMonthAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_TRANS_MONTH_READY, kMonthRecordSize);
}

bool CDvrClient::RecvFn_PlayInfoDayAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_PLAY_DAY_READY, kSegmentRecordSize);
}

bool CDvrClient::RecvFn_TransInfoDayAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_TRANS_DAY_READY, kSegmentRecordSize);
}

bool CDvrClient::RecvFn_EventInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_EVENT_LIST_READY, kSegmentRecordSize);
}

bool CDvrClient::RecvFn_LogInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_LOG_READY, 0);
}

bool CDvrClient::RecvFn_SystemInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_SYSTEM_INFO_READY, 0);
}

bool CDvrClient::RecvFn_StatusInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_STATUS_READY, 0);
}

bool CDvrClient::RefuseSearchRequest(const RecvMessage& m, UINT readyOn83, bool postEmptyEvents) {
    IClientHost& host = *m_seams.host;
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    if (readyOn83 != 0 && reason == Reason::NOTHING_FOUND) {
        // An empty month: the calendar opens empty, never with the previous reply's days.
        host.DeliverSearchReply(readyOn83, {}, 0);
    } else {
        PostRefusal(m, postEmptyEvents ? ClientWindow::SearchFrame : ClientWindow::MainWindow);
    }
    host.ClearSearchBusy();
    if (postEmptyEvents) {
        host.DeliverSearchReply(WM_KELO_EVENT_LIST_READY, {}, 0);
    }
    return true;
}

bool CDvrClient::RecvFn_PlayInfoMonthNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, WM_KELO_PLAY_MONTH_READY, false);
}

bool CDvrClient::RecvFn_TransInfoMonthNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, WM_KELO_TRANS_MONTH_READY, false);
}

bool CDvrClient::RecvFn_PlayInfoDayNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClient::RecvFn_TransInfoDayNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClient::RecvFn_EventInfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, true);
}

// The frame stays open after a refused log, system or status request; only its wait ends.
bool CDvrClient::RecvFn_Log48InfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClient::RecvFn_System48InfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClient::RecvFn_StatusInfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}
