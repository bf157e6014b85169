#include "archive/TimelineMath.h"

int TimeToColumn(int hour, int minute) {
    return kChartLeft + hour * kPixelsPerHour + minute / 5;
}

ClockTime ColumnToTime(int x) {
    const int t = (x - kChartLeft) * 300;
    ClockTime time;
    time.hour = t / 3600;
    time.minute = (t - time.hour * 3600) / 60;
    time.second = t - (time.minute + time.hour * 60) * 60;
    return time;
}

bool InChart(int x, int y, int left, int right) {
    return x >= left && x < right && y >= kChartTop && y <= kChartBottom;
}

RECT SegmentBarRect(int channel, int x1, int x2) {
    RECT r{};
    r.left = x1;
    r.right = x1 == x2 ? x1 + 1 : x2;
    r.top = 19 * channel + 76;
    r.bottom = 19 * channel + 84;
    return r;
}

int LowestRecordType(BYTE typeBits) {
    for (int t = 0; t < 6; ++t) {
        if ((typeBits & (1u << t)) != 0) {
            return t;
        }
    }
    return -1;
}

namespace {

// Compares the date of fields with a date: < 0 before, 0 same day, > 0 after.
int CompareDate(const RecorderFields& f, int year, int month, int day) {
    if (f.year != year) {
        return f.year < year ? -1 : 1;
    }
    if (f.month != month) {
        return f.month < month ? -1 : 1;
    }
    if (f.day != day) {
        return f.day < day ? -1 : 1;
    }
    return 0;
}

} // namespace

bool DayBarColumns(LONGLONG start, LONGLONG end, int year, int month, int day, int& x1, int& x2) {
    RecorderFields s;
    RecorderFields e;
    if (!SplitRecorderTime(start, s) || !SplitRecorderTime(end, e)) {
        return false;
    }
    const int startSide = CompareDate(s, year, month, day);
    const int endSide = CompareDate(e, year, month, day);
    if (startSide > 0 || endSide < 0) {
        return false;
    }
    x1 = startSide < 0 ? TimeToColumn(0, 0) : TimeToColumn(s.hour, s.minute);
    x2 = endSide > 0 ? TimeToColumn(23, 59) : TimeToColumn(e.hour, e.minute);
    return x2 >= x1;
}
