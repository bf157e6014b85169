#pragma once
// Times as the recorder counts them (seconds since 1970, UTC) from calendar fields, with the month
// and the day counted from 0 as the recorder's records and the frames' fields count them.
#include "platform/base/WinTypes.h"

#include <ctime>

inline DWORD Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day + 1;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return DWORD(timegm(&tm));
}

// Year, month, day, hour, minute and second, as the frames hand them to their host.
inline DWORD UtcOfFields(const int fields[6]) {
    return Utc(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}
