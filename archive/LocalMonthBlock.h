#pragma once
// The local calendar's month block: one year of day flags built from the downloaded index files
// (each flag a bit set of the event types recorded that day) and, per day, the list of segments
// touching it, which the local day timeline takes over.

#include "archive/ArchiveRecords.h"
#include "archive/LocalIndexFile.h"

#include <filesystem>
#include <vector>

struct LocalSegment {
    DWORD channel_mask = 0;
    BYTE event_type = 0;
    DWORD start = 0;
    DWORD end = 0;
};

class CLocalMonthBlock {
public:
    // Frees every day list and zeroes the flags and the year.
    void Reset();
    // Marks the days of the shown year that a segment from s to e touches: the bit of its event
    // type in the day's flag (types 8 and above carry no bit) and the segment in the day's list.
    void MarkFileDays(const RecorderFields& s, const RecorderFields& e, const IndexSegment& segment, int shownYear);
    // Reset, then every segment of every tagged index file in the folder.
    void ScanFolder(const std::filesystem::path& downloadFolder, int shownYear);

    // 0 while no segment touched the shown year.
    int Year() const { return m_year; }
    BYTE Flag(int month, int day) const { return m_flags[month][day]; }
    // The flags in the month-record layout, for the calendar's month and day logic.
    RecMonthInfo AsMonthRecord() const;
    const std::vector<LocalSegment>& Day(int month, int day) const { return m_days[month][day]; }
    // Moves the day's list out; the day's list is empty afterwards.
    std::vector<LocalSegment> TakeDay(int month, int day);

private:
    void MarkDay(int month, int day, BYTE bit, const LocalSegment& node);

    int m_year = 0;
    BYTE m_flags[12][31] = {};
    std::vector<LocalSegment> m_days[12][31];
};
