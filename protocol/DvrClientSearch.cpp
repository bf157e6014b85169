// The search frame's list replies: months, days, events, logs, system and status information,
// gathered from their fragments and handed to the frame whole; and their refusals.
#include "protocol/DvrClientSearch.h"

#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

bool CDvrClientSearch::GatherSearchReply(const RecvMessage& m, UINT readyMessage, std::size_t recordSize) {
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

void CDvrClientSearch::FinishRecordReply(UINT readyMessage, std::size_t recordSize) {
    const std::size_t count = m_searchReply.size() / recordSize;
    std::vector<BYTE> records(m_searchReply.begin(), m_searchReply.begin() + std::ptrdiff_t(count * recordSize));
    // The buffer starts empty for the next reply whatever this one held.
    m_searchReply.clear();
    m_searchReplyTruncated = false;
    IClientHost& host = m_client.Host();
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

void CDvrClientSearch::FinishTextReply(UINT readyMessage) {
    std::vector<BYTE> bytes;
    bytes.swap(m_searchReply);
    m_searchReplyTruncated = false;
    const DWORD size = static_cast<DWORD>(bytes.size());
    m_client.Host().DeliverSearchReply(readyMessage, std::move(bytes), size);
}

bool CDvrClientSearch::RecvFn_PlayInfoMonthAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_PLAY_MONTH_READY, kMonthRecordSize);
}

bool CDvrClientSearch::RecvFn_TransInfoMonthAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_TRANS_MONTH_READY, kMonthRecordSize);
}

bool CDvrClientSearch::RecvFn_PlayInfoDayAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_PLAY_DAY_READY, kSegmentRecordSize);
}

bool CDvrClientSearch::RecvFn_TransInfoDayAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_TRANS_DAY_READY, kSegmentRecordSize);
}

bool CDvrClientSearch::RecvFn_EventInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_EVENT_LIST_READY, kSegmentRecordSize);
}

bool CDvrClientSearch::RecvFn_LogInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_LOG_READY, 0);
}

bool CDvrClientSearch::RecvFn_SystemInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_SYSTEM_INFO_READY, 0);
}

bool CDvrClientSearch::RecvFn_StatusInfoAck(const RecvMessage& m) {
    return GatherSearchReply(m, WM_KELO_STATUS_READY, 0);
}

bool CDvrClientSearch::RefuseSearchRequest(const RecvMessage& m, UINT readyOn83, bool postEmptyEvents) {
    IClientHost& host = m_client.Host();
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    if (readyOn83 != 0 && reason == Reason::NOTHING_FOUND) {
        // An empty month: the calendar opens empty, never with the previous reply's days.
        host.DeliverSearchReply(readyOn83, {}, 0);
    } else {
        m_client.PostRefusal(m, postEmptyEvents ? ClientWindow::SearchFrame : ClientWindow::MainWindow);
    }
    host.ClearSearchBusy();
    if (postEmptyEvents) {
        host.DeliverSearchReply(WM_KELO_EVENT_LIST_READY, {}, 0);
    }
    return true;
}

bool CDvrClientSearch::RecvFn_PlayInfoMonthNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, WM_KELO_PLAY_MONTH_READY, false);
}

bool CDvrClientSearch::RecvFn_TransInfoMonthNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, WM_KELO_TRANS_MONTH_READY, false);
}

bool CDvrClientSearch::RecvFn_PlayInfoDayNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClientSearch::RecvFn_TransInfoDayNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClientSearch::RecvFn_EventInfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, true);
}

// The frame stays open after a refused log, system or status request; only its wait ends.
bool CDvrClientSearch::RecvFn_Log48InfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClientSearch::RecvFn_System48InfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

bool CDvrClientSearch::RecvFn_StatusInfoNack(const RecvMessage& m) {
    return RefuseSearchRequest(m, 0, false);
}

void CDvrClientSearch::SetSearchFrameOpen(bool open) {
    m_searchFrameOpen.store(open);
}

void CDvrClientSearch::ClearLatestRecords() {
    std::lock_guard<std::mutex> lock(m_cacheLock);
    m_latestMonthRecords.clear();
    m_latestSegmentRecords.clear();
}

std::vector<BYTE> CDvrClientSearch::GetLatestMonthRecords() const {
    std::lock_guard<std::mutex> lock(m_cacheLock);
    return m_latestMonthRecords;
}

std::vector<BYTE> CDvrClientSearch::GetLatestSegmentRecords() const {
    std::lock_guard<std::mutex> lock(m_cacheLock);
    return m_latestSegmentRecords;
}
