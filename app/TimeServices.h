#pragma once
// Conversions between recorder times and the broken-down fields of the archive's pickers, the
// local zone offset the main window keeps, and the free space of the save location.
//
// Recorder times are local wall-clock times counted as seconds since 1970, as if the local clock
// were UTC.

#include "platform/base/WinTypes.h"

#include <ctime>

// The local zone's standard-time offset (local minus UTC, daylight saving not included), as three
// parts each truncated toward zero.
struct ZoneOffset {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    static ZoneOffset FromSeconds(LONG total);
    LONG TotalSeconds() const { return hours * 3600 + minutes * 60 + seconds; }
};

// The time broken down as UTC into year (full), month 0-11, day of month 0-30, hour, minute,
// second. A negative time writes nothing.
void TimeToUserTime(LONGLONG t, int out[6]);

// The recorder time of the fields as TimeToUserTime gives them: the local time they make (daylight
// saving decided by the zone's rules), plus the zone offset, plus one hour when that local time is in
// daylight saving time.
DWORD TimeToCTime(const ZoneOffset& zone, const int fields[6]);

// Free and total space of the file system holding the save location, in megabytes (truncated).
// False, outputs untouched, when it cannot be asked or the location is on an optical disc.
bool GetDiskFreeText(const char* location, DWORD* freeMByte, DWORD* totalMByte);
