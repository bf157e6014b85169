#pragma once
// The search frame's list replies: months, days, events, logs, system and status information.
// Threads: the socket thread gathers the replies (the reply being gathered is its own); the UI
// thread opens and closes the frame and resets a reply; any thread reads the latest month and
// segment records, which are guarded by m_cacheLock.

#include "platform/base/WinTypes.h"
#include "protocol/RecvMessage.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

class CDvrClient;

constexpr std::size_t kSearchReplyCapacity = 0x200000; // the search frame's 2 MB reply buffer
constexpr std::size_t kMonthRecordSize = 376;
constexpr std::size_t kSegmentRecordSize = 24;

class CDvrClientSearch {
public:
    explicit CDvrClientSearch(CDvrClient& client) : m_client(client) {}
    CDvrClientSearch(const CDvrClientSearch&) = delete;
    CDvrClientSearch& operator=(const CDvrClientSearch&) = delete;

    // The search frame registers itself while it is open; list replies are dropped while none is.
    void SetSearchFrameOpen(bool open);
    bool IsSearchFrameOpen() const { return m_searchFrameOpen.load(); }
    // The frame starts a month, event, log or status request: forget anything half gathered.
    void ResetSearchReply() { m_searchResetPending.store(true); }
    // Copies of the latest search replies (big-endian records), as the archive reads them.
    std::vector<BYTE> GetLatestMonthRecords() const;
    std::vector<BYTE> GetLatestSegmentRecords() const;
    // Forgets them (the connection ends, or the account lost the playback right).
    void ClearLatestRecords();

    // ---- Handlers (socket thread)
    bool RecvFn_PlayInfoMonthAck(const RecvMessage& m);
    bool RecvFn_PlayInfoMonthNack(const RecvMessage& m);
    bool RecvFn_PlayInfoDayAck(const RecvMessage& m);
    bool RecvFn_PlayInfoDayNack(const RecvMessage& m);
    bool RecvFn_TransInfoMonthAck(const RecvMessage& m);
    bool RecvFn_TransInfoMonthNack(const RecvMessage& m);
    bool RecvFn_TransInfoDayAck(const RecvMessage& m);
    bool RecvFn_TransInfoDayNack(const RecvMessage& m);
    bool RecvFn_EventInfoAck(const RecvMessage& m);
    bool RecvFn_EventInfoNack(const RecvMessage& m);
    bool RecvFn_LogInfoAck(const RecvMessage& m);
    bool RecvFn_Log48InfoNack(const RecvMessage& m);
    bool RecvFn_SystemInfoAck(const RecvMessage& m);
    bool RecvFn_System48InfoNack(const RecvMessage& m);
    bool RecvFn_StatusInfoAck(const RecvMessage& m);
    bool RecvFn_StatusInfoNack(const RecvMessage& m);

private:
    // Gathers fragments; on the last one hands the reply to the search frame.
    bool GatherSearchReply(const RecvMessage& m, UINT readyMessage, std::size_t recordSize);
    void FinishRecordReply(UINT readyMessage, std::size_t recordSize);
    void FinishTextReply(UINT readyMessage);
    bool RefuseSearchRequest(const RecvMessage& m, UINT readyOn83, bool postEmptyEvents);

    CDvrClient& m_client;
    std::atomic<bool> m_searchFrameOpen{false};
    std::atomic<bool> m_searchResetPending{false};
    // Socket thread: the reply being gathered, handed over by value once whole.
    std::vector<BYTE> m_searchReply;
    bool m_searchReplyTruncated = false;
    mutable std::mutex m_cacheLock;
    std::vector<BYTE> m_latestMonthRecords;
    std::vector<BYTE> m_latestSegmentRecords;
};
