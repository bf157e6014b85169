#pragma once
// Time for the program: pauses, tick counts, the performance counter and the wall clock.
// Tick counts and the performance counter run on the monotonic clock, so a change of the system
// time never makes a deadline or a pacing interval jump.

#include "platform/base/WinTypes.h"

#include <ctime>

// Pauses the calling thread; 0 gives up the rest of the time slice.
void Sleep(DWORD milliseconds);

// Milliseconds on the monotonic clock; wraps after about 49.7 days like the 32-bit count it stands
// for, so compare tick counts by unsigned difference.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

// Wall-clock now, broken down in the local zone (as TZ gives it) or in UTC.
void GetLocalTime(SYSTEMTIME* out);

// Breaks seconds since 1970 down into a SYSTEMTIME, as UTC or in the local zone; false (out untouched)
// when the time cannot be broken down.
BOOL TimeToSystemTime(std::time_t t, SYSTEMTIME* out, bool local);

// The local zone's standard-time offset from UTC in seconds (east positive, daylight saving never
// included), worked out once on first use as the program does at start-up: the current time broken
// down as UTC and as local time, both converted back as local time, their difference taken.
LONG GetStandardZoneOffset();
// The same worked out afresh from time t (the current time when the program starts).
LONG ComputeStandardZoneOffset(std::time_t t);

// The local zone's offset from UTC in seconds at time t, daylight saving included when in force.
LONG GetLocalZoneOffsetAt(std::time_t t);
