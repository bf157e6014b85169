#include "archive/ArchiveRecords.h"

#include "protocol/ByteOrder.h"

#include <cstring>
#include <ctime>

DWORD RecMonthInfo::Year() const {
    return ReadBE32(year);
}

DWORD RecSegment::ChannelMask() const {
    return ReadBE32(channel_mask);
}

DWORD RecSegment::Start() const {
    return ReadBE32(start_time);
}

DWORD RecSegment::End() const {
    return ReadBE32(end_time);
}

RecTimeRange MakeTimeRange(DWORD channelMask, BYTE typeMask, DWORD start, DWORD end) {
    RecTimeRange range{};
    WriteBE32(range.channel_mask, channelMask);
    range.type_mask = typeMask;
    WriteBE32(range.start_time, start);
    WriteBE32(range.end_time, end);
    return range;
}

DayRequest MakeDayRequest(int year, int month, int day) {
    DayRequest request{};
    WriteBE32(request.year, DWORD(year));
    request.month = BYTE(month + 1);
    request.day = BYTE(day + 1);
    return request;
}

namespace {

template <typename Record>
std::vector<Record> ParseRecords(std::span<const BYTE> bytes) {
    std::vector<Record> records(bytes.size() / sizeof(Record));
    if (!records.empty()) {
        std::memcpy(records.data(), bytes.data(), records.size() * sizeof(Record));
    }
    return records;
}

} // namespace

std::vector<RecMonthInfo> ParseMonthRecords(std::span<const BYTE> bytes) {
    return ParseRecords<RecMonthInfo>(bytes);
}

std::vector<RecSegment> ParseSegments(std::span<const BYTE> bytes) {
    return ParseRecords<RecSegment>(bytes);
}

const RecMonthInfo* FindMonthRecord(std::span<const RecMonthInfo> records, int year) {
    for (const RecMonthInfo& record : records) {
        if (LONGLONG(record.Year()) == year) {
            return &record;
        }
    }
    return nullptr;
}

bool SplitRecorderTime(LONGLONG time, RecorderFields& out) {
    if (time < 0) {
        return false;
    }
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm tm{};
    if (gmtime_r(&t, &tm) == nullptr) {
        return false;
    }
    out.year = tm.tm_year + 1900;
    out.month = tm.tm_mon;
    out.day = tm.tm_mday - 1;
    out.hour = tm.tm_hour;
    out.minute = tm.tm_min;
    out.second = tm.tm_sec;
    return true;
}

RecorderFields SplitRecorderTimeOrEpoch(LONGLONG time) {
    RecorderFields fields;
    SplitRecorderTime(time < 0 ? 0 : time, fields);
    return fields;
}
