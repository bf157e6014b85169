#include "archive/LocalMonthBlock.h"

#include "archive/CalendarMath.h"
#include "protocol/ByteOrder.h"

#include <cstring>

void CLocalMonthBlock::Reset() {
    m_year = 0;
    std::memset(m_flags, 0, sizeof m_flags);
    for (auto& month : m_days) {
        for (auto& day : month) {
            day.clear();
        }
    }
}

void CLocalMonthBlock::MarkDay(int month, int day, BYTE bit, const LocalSegment& node) {
    if (month < 0 || month > 11 || day < 0 || day > 30) {
        return;
    }
    m_flags[month][day] |= bit;
    m_days[month][day].push_back(node);
}

void CLocalMonthBlock::MarkFileDays(const RecorderFields& s, const RecorderFields& e, const IndexSegment& segment,
                                    int shownYear) {
    if (s.year > shownYear || e.year < shownYear) {
        return;
    }
    const int firstMonth = s.year == shownYear ? s.month : 0;
    const int firstDay = s.year == shownYear ? s.day : 0;
    const int lastMonth = e.year == shownYear ? e.month : 11;
    const int lastDay = e.year == shownYear ? e.day : 30;
    m_year = shownYear;
    const BYTE bit = segment.eventType < 8 ? BYTE(1u << segment.eventType) : 0;
    const LocalSegment node{segment.channelMask, segment.eventType, segment.start, segment.end};
    if (firstMonth == lastMonth) {
        for (int d = firstDay; d <= lastDay; ++d) {
            MarkDay(firstMonth, d, bit, node);
        }
        return;
    }
    for (int m = firstMonth; m <= lastMonth; ++m) {
        const int from = m == firstMonth ? firstDay : 0;
        const int to = m == lastMonth ? lastDay : MonthLength(shownYear, m) - 1;
        for (int d = from; d <= to; ++d) {
            MarkDay(m, d, bit, node);
        }
    }
}

void CLocalMonthBlock::ScanFolder(const std::filesystem::path& downloadFolder, int shownYear) {
    Reset();
    for (const std::filesystem::path& file : ListIndexFiles(downloadFolder)) {
        IndexFileContents contents;
        if (!ReadIndexFile(file, contents)) {
            continue;
        }
        for (const IndexSegment& segment : contents.segments) {
            RecorderFields s;
            RecorderFields e;
            // Both ends are always broken down: a time the split cannot take counts as 1970.
            s = SplitRecorderTimeOrEpoch(segment.start);
            e = SplitRecorderTimeOrEpoch(segment.end);
            MarkFileDays(s, e, segment, shownYear);
        }
    }
}

RecMonthInfo CLocalMonthBlock::AsMonthRecord() const {
    RecMonthInfo record{};
    WriteBE32(record.year, DWORD(m_year));
    std::memcpy(record.day_flags, m_flags, sizeof m_flags);
    return record;
}

std::vector<LocalSegment> CLocalMonthBlock::TakeDay(int month, int day) {
    if (month < 0 || month > 11 || day < 0 || day > 30) {
        return {};
    }
    std::vector<LocalSegment> out;
    out.swap(m_days[month][day]);
    return out;
}
