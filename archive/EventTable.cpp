#include "archive/EventTable.h"

void CEventTable::Clear() {
    m_items.clear();
    m_alarms = 0;
    m_motions = 0;
    m_audios = 0;
}

bool CEventTable::Add(DWORD channelMask, DWORD type, DWORD start, DWORD end) {
    if (m_items.size() >= kCapacity) {
        return false;
    }
    EventItem item;
    item.channel_mask = channelMask;
    item.type = type;
    item.start = start;
    item.end = end;
    switch (type) {
    case kEventAlarm:
        item.index = m_alarms++;
        break;
    case kEventMotion:
        item.index = m_motions++;
        break;
    case kEventAudio:
        item.index = m_audios++;
        break;
    default:
        item.index = -1;
        break;
    }
    m_items.push_back(item);
    return true;
}

void CEventTable::LoadSegments(std::span<const RecSegment> records) {
    Clear();
    m_items.reserve(records.size() < kCapacity ? records.size() : kCapacity);
    for (const RecSegment& r : records) {
        if (!Add(r.ChannelMask(), r.type, r.Start(), r.End())) {
            break;
        }
    }
}

int CEventTable::CountOf(DWORD type) const {
    switch (type) {
    case kEventAlarm:
        return m_alarms;
    case kEventMotion:
        return m_motions;
    case kEventAudio:
        return m_audios;
    default:
        return 0;
    }
}

const EventItem* CEventTable::Find(DWORD filter, int row) const {
    if (row < 0) {
        return nullptr;
    }
    for (const EventItem& item : m_items) {
        if (item.type == filter && item.index == row) {
            return &item;
        }
    }
    return nullptr;
}

DWORD CEventTable::FirstFilter() const {
    if (m_alarms > 0) {
        return kEventAlarm;
    }
    if (m_motions > 0) {
        return kEventMotion;
    }
    if (m_audios > 0) {
        return kEventAudio;
    }
    return kEventAlarm;
}

CString ChannelListText(DWORD mask) {
    CString text;
    for (int bit = 0; bit < 16; ++bit) {
        if ((mask & (1u << bit)) != 0) {
            text.AppendFormat("%02d ", bit + 1);
        }
    }
    return text;
}

CString FormatRecordTime(LONGLONG time, int dateFormat) {
    const RecorderFields f = SplitRecorderTimeOrEpoch(time);
    const int month = f.month + 1;
    const int day = f.day + 1;
    CString text;
    switch (dateFormat) {
    case 0:
        text.Format("%04d-%02d-%02d %02d:%02d:%02d", f.year, month, day, f.hour, f.minute, f.second);
        break;
    case 1:
        text.Format("%02d-%02d-%04d %02d:%02d:%02d", month, day, f.year, f.hour, f.minute, f.second);
        break;
    case 2:
        text.Format("%02d-%02d-%04d %02d:%02d:%02d", day, month, f.year, f.hour, f.minute, f.second);
        break;
    default:
        break;
    }
    return text;
}
