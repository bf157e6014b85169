// The wire records of search, playback and backup: their exact bytes, how replies are counted, and
// the recorder's time convention.
#include "archive/ArchiveRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Bytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const BYTE*>(p);
    return {b, b + n};
}

TEST(ArchiveRecords, TimeRangeBytes) {
    struct Case {
        DWORD mask;
        BYTE types;
        DWORD start;
        DWORD end;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        // All channels of a 16-channel recorder, all types, open end.
        {0xFFFF, 0x3F, 0x47C93A30, 0, {0, 0, 0xFF, 0xFF, 0x3F, 0,    0,    0,    0, 0, 0, 0,
                                       0, 0, 0,    0,    0x47, 0xC9, 0x3A, 0x30, 0, 0, 0, 0}},
        // An audio event on channels 1 and 3: the type mask is one byte, 1 << 4.
        {0x0005, 1u << 4, 0x01020304, 0x0A0B0C0D, {0, 0, 0, 5, 0x10, 0, 0, 0, 0,    0,    0,    0,
                                                   0, 0, 0, 0, 1,    2, 3, 4, 0x0A, 0x0B, 0x0C, 0x0D}},
    };
    for (const Case& c : cases) {
        const RecTimeRange range = MakeTimeRange(c.mask, c.types, c.start, c.end);
        EXPECT_EQ(Bytes(&range, sizeof range), c.bytes);
    }
}

TEST(ArchiveRecords, DayRequestOfTheFifthOfMarch2008) {
    const DayRequest request = MakeDayRequest(2008, 2, 4);
    EXPECT_EQ(Bytes(&request, sizeof request), (std::vector<BYTE>{0x00, 0x00, 0x07, 0xD8, 0x03, 0x05, 0x00, 0x00}));
}

TEST(ArchiveRecords, RepliesCountWholeRecordsAndYearsAreFoundByValue) {
    std::vector<BYTE> reply(752 + 375, 0);
    reply[2] = 0x07;
    reply[3] = 0xD6; // 2006
    reply[376 + 2] = 0x07;
    reply[376 + 3] = 0xD8; // 2008
    reply[376 + 4 + 31 * 2 + 4] = 1;
    const std::vector<RecMonthInfo> months = ParseMonthRecords(reply);
    ASSERT_EQ(months.size(), 2u); // the trailing part of a third record is not one
    EXPECT_EQ(FindMonthRecord(months, 2006), &months[0]);
    ASSERT_EQ(FindMonthRecord(months, 2008), &months[1]);
    EXPECT_EQ(FindMonthRecord(months, 2008)->Flag(2, 4), 1);
    EXPECT_EQ(FindMonthRecord(months, 2007), nullptr);
    EXPECT_TRUE(ParseMonthRecords({}).empty());

    std::vector<BYTE> segments(24 * 2 + 23, 0);
    segments[3] = 0x09;
    segments[4] = 0x06;
    segments[19] = 100;
    segments[23] = 200;
    const std::vector<RecSegment> parsed = ParseSegments(segments);
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].ChannelMask(), 9u);
    EXPECT_EQ(parsed[0].type, 6);
    EXPECT_EQ(parsed[0].Start(), 100u);
    EXPECT_EQ(parsed[0].End(), 200u);
}

TEST(ArchiveRecords, RecorderTimeIsTheUtcBreakdown) {
    RecorderFields f;
    // 2008-03-01 12:34:56 as UTC seconds, whatever the local zone.
    ASSERT_TRUE(SplitRecorderTime(1204374896, f));
    EXPECT_EQ(f.year, 2008);
    EXPECT_EQ(f.month, 2);
    EXPECT_EQ(f.day, 0);
    EXPECT_EQ(f.hour, 12);
    EXPECT_EQ(f.minute, 34);
    EXPECT_EQ(f.second, 56);

    RecorderFields untouched;
    untouched.year = 1234;
    EXPECT_FALSE(SplitRecorderTime(-1, untouched));
    EXPECT_EQ(untouched.year, 1234);
    EXPECT_EQ(SplitRecorderTimeOrEpoch(-5).year, 1970);
}

} // namespace
