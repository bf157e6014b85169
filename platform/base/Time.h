#pragma once
// A point in time as seconds since 1970, built from and broken down into the local calendar (the
// zone TZ gives). Fields out of their range carry over as the C library does: day 31 of February is
// a day in March.

#include "platform/base/WinTypes.h"

#include <compare>
#include <ctime>

class CTime {
public:
    constexpr CTime() = default;
    constexpr explicit CTime(std::time_t t) : m_time(t) {}
    // Local calendar fields: month 1-12, day 1-31. dst < 0 lets the zone's rules decide whether
    // daylight saving applies, 0 says standard time, > 0 daylight saving time. A date the system
    // cannot represent gives the time -1.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);

    static CTime GetCurrentTime();

    constexpr std::time_t GetTime() const { return m_time; }
    // Breakdowns in the local calendar; 0 when the time cannot be broken down.
    int GetYear() const;
    int GetMonth() const; // 1-12
    int GetDay() const;   // 1-31
    bool IsDaylightSaving() const;
    bool GetLocalTm(std::tm* out) const;

    constexpr auto operator<=>(const CTime&) const = default;

private:
    std::time_t m_time = 0;
};
