#pragma once
// The geometry of the day timeline chart: 16 channel rows across 24 hours, 12 pixels an hour (one
// pixel is five minutes), and the bar of a recorded segment.

#include "archive/ArchiveRecords.h"
#include "platform/base/WinTypes.h"

constexpr int kChartLeft = 113; // 00:00
constexpr int kChartTop = 70;
constexpr int kChartBottom = 375;
constexpr int kChartRight = 402;       // play and local pages take clicks left of this column
constexpr int kBackupChartRight = 401; // the backup page's right edge and end mark
constexpr int kPixelsPerHour = 12;

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The column of a time of day (minutes rounded down to five).
int TimeToColumn(int hour, int minute);
// The time of a column: whole five-minute steps from the chart's left edge (x 401 gives 24:00:00).
ClockTime ColumnToTime(int x);
// Whether a pointer position lies on the chart: left <= x < right, top <= y <= bottom.
bool InChart(int x, int y, int left, int right);

// The bar of channel n (0-15) between two columns; at least one pixel wide.
RECT SegmentBarRect(int channel, int x1, int x2);
// The record type a segment is drawn with: its lowest set bit among 0-5, or -1 for none.
int LowestRecordType(BYTE typeBits);

// The columns a segment covers on the shown day. A part before the day starts at 00:00 and a part
// after it ends at 23:59; a segment that does not touch the day gives nothing (false).
bool DayBarColumns(LONGLONG start, LONGLONG end, int year, int month, int day, int& x1, int& x2);
