#pragma once
// The recorder log's entries that the log pages share (UI thread only):
// - the entry table of a search frame: loaded by the All page from a reply, reloaded by the Event
//   page from the cache, read by the filtered and detail pages; a frame starts with an empty one;
// - the log cache of a connection: the last loaded log, kept beyond the frame, so that a frame
//   reopened during a playback started from a log page shows that log again without asking.

#include "archive/RemoteLogEntry.h"
#include "platform/base/WinTypes.h"

#include <vector>

class CDvrClient;

class CRemoteLogStore {
public:
    static CRemoteLogStore& Instance();

    // The table of the frame whose window is `frame` (window handles are never reused).
    std::vector<RemoteLogEntry>& Table(HWND frame);
    // The cache of a connection; empty for a connection other than the one it was filled in.
    std::vector<RemoteLogEntry>& Cache(const CDvrClient* client);
    // Both emptied (tests).
    void Reset();

private:
    HWND m_tableFrame = nullptr;
    std::vector<RemoteLogEntry> m_table;
    const CDvrClient* m_cacheClient = nullptr;
    std::vector<RemoteLogEntry> m_cache;
};
