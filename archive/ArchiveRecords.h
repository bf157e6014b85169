#pragma once
// The records the search, playback and backup requests exchange with the recorder, as they travel:
// every multi-byte field big-endian, read and written only through the accessors below. Also the
// recorder's time convention: a time is the recorder's wall clock counted as seconds since 1970, as
// if that clock were UTC.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <span>
#include <vector>

// The record types 0-5 of the day segments, as mask bits; all six together.
constexpr BYTE kAllRecordTypes = 0x3F;
// Event codes of the event records.
constexpr BYTE kEventAlarm = 1;
constexpr BYTE kEventMotion = 2;
constexpr BYTE kEventAudio = 4;

// Payload of PLAY_ON_REQ, TRANS_ON_REQ and TRANS_DATA_REQ.
struct RecTimeRange {
    BYTE channel_mask[4]; // bit n = channel n + 1
    BYTE type_mask;       // bit t = record type t; one byte, followed by zeros
    BYTE zero[11];
    BYTE start_time[4];
    BYTE end_time[4]; // 0 = to the end of the recordings
};
static_assert(sizeof(RecTimeRange) == 24);

// Payload of PLAY_INFO_DAY_REQ and TRANS_INFO_DAY_REQ.
struct DayRequest {
    BYTE year[4];
    BYTE month; // 1-12
    BYTE day;   // 1-31
    BYTE zero[2];
};
static_assert(sizeof(DayRequest) == 8);

// One year of recorded days: a flag per (month, day); readers look only at the days a month has.
struct RecMonthInfo {
    BYTE year[4];
    BYTE day_flags[12][31];

    DWORD Year() const;
    BYTE Flag(int month, int day) const { return day_flags[month][day]; }
};
static_assert(sizeof(RecMonthInfo) == 376);

// A recorded segment of a day, or an event.
struct RecSegment {
    BYTE channel_mask[4];
    BYTE type; // day segments: record-type bits; events: event code 1, 2 or 4
    BYTE unused[11];
    BYTE start_time[4];
    BYTE end_time[4];

    DWORD ChannelMask() const;
    DWORD Start() const;
    DWORD End() const;
};
static_assert(sizeof(RecSegment) == 24);

RecTimeRange MakeTimeRange(DWORD channelMask, BYTE typeMask, DWORD start, DWORD end);
// month and day as the calendars keep them, 0-based.
DayRequest MakeDayRequest(int year, int month, int day);

// Whole records of a reply; a trailing part of a record is left out.
std::vector<RecMonthInfo> ParseMonthRecords(std::span<const BYTE> bytes);
std::vector<RecSegment> ParseSegments(std::span<const BYTE> bytes);
// The first record of that year, or null.
const RecMonthInfo* FindMonthRecord(std::span<const RecMonthInfo> records, int year);

// A recorder time broken down: full year, month 0-11, day 0-30, hour, minute, second.
struct RecorderFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// False (fields untouched) for a negative time.
bool SplitRecorderTime(LONGLONG time, RecorderFields& out);
// The same with a negative time counted as 0, as the pages restore remembered times.
RecorderFields SplitRecorderTimeOrEpoch(LONGLONG time);
