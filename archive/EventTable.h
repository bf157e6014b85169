#pragma once
// The events of an event list page, numbered within their type in load order: the list shows one
// type at a time, so row r of the list is the event of that type whose number is r.

#include "archive/ArchiveRecords.h"
#include "platform/base/String.h"

#include <span>
#include <vector>

struct EventItem {
    DWORD channel_mask = 0;
    DWORD type = 0; // 1 alarm, 2 motion, 4 audio; others kept as they come
    int index = -1; // number within its type; -1 for other types
    DWORD start = 0;
    DWORD end = 0;
};

class CEventTable {
public:
    // The table's room; further events are not kept.
    static constexpr std::size_t kCapacity = 100000;

    void Clear();
    // False when the table is full.
    bool Add(DWORD channelMask, DWORD type, DWORD start, DWORD end);
    // Clears, then adds every record (its type byte is the event code).
    void LoadSegments(std::span<const RecSegment> records);

    const std::vector<EventItem>& Items() const { return m_items; }
    int CountOf(DWORD type) const;
    bool HasListedEvents() const { return m_alarms + m_motions + m_audios > 0; }
    // The event shown in row `row` under `filter`, or null.
    const EventItem* Find(DWORD filter, int row) const;
    // The filter a page opens with: alarm when there are alarm events, else motion, else audio,
    // else alarm.
    DWORD FirstFilter() const;

private:
    std::vector<EventItem> m_items;
    int m_alarms = 0;
    int m_motions = 0;
    int m_audios = 0;
};

// "%02d " of each channel number in the mask, ascending: channels 1, 3 and 16 give "01 03 16 ".
CString ChannelListText(DWORD mask);
// A recorder time as "YYYY-MM-DD hh:mm:ss" in the date format's order (a negative time as 0); an
// unknown format gives an empty text.
CString FormatRecordTime(LONGLONG time, int dateFormat);
