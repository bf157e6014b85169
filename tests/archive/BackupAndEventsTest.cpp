// The backup size rule, the event table of the event lists, and the channel rows of the channel
// pages.
#include "archive/BackupSizeMath.h"
#include "archive/ChannelMask.h"
#include "archive/EventTable.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(BackupSize, ShownValueUnitAndText) {
    const struct {
        DWORD kbytes;
        DWORD shown;
        DWORD unit;
        const char* text;
    } cases[] = {
        {0, 0, 0, "0 KByte"},       {1023, 1023, 0, "1023 KByte"},
        {1024, 1, 1, "1 MByte"},    {1048575, 1023, 1, "1023 MByte"},
        {1048576, 1, 2, "1 GByte"}, {0xFFFFFFFF, 4095, 2, "4095 GByte"},
    };
    for (const auto& c : cases) {
        const BackupSize size = MakeBackupSize(c.kbytes);
        EXPECT_EQ(size.shown, c.shown) << c.kbytes;
        EXPECT_EQ(size.unit, c.unit) << c.kbytes;
        EXPECT_EQ(BackupSizeText(size), c.text) << c.kbytes;
    }
}

TEST(BackupSize, AtLeastOneHundredMByteMustStayFree) {
    const struct {
        DWORD kbytes;
        DWORD freeMByte;
        bool running;
        bool fits;
        bool calculate;
        bool backup;
        LONGLONG margin;
    } cases[] = {
        {100 * 1024, 200, false, true, false, true, 100},  // exactly 100 left
        {100 * 1024, 199, false, false, true, false, 99},  // one short
        {100 * 1024, 0, false, false, true, false, -100},  // an unmeasured drive counts as full
        {0, 500, false, true, true, false, 500},           // nothing recorded
        {10 * 1024, 5000, true, true, false, false, 4990}, // a backup already runs
        {1024, 0xFFFFFFFF, false, true, false, true, 0xFFFFFFFFLL - 1},
    };
    for (const auto& c : cases) {
        const BackupSizeDecision d = DecideBackupSize(c.kbytes, c.freeMByte, c.running);
        EXPECT_EQ(d.fits, c.fits) << c.kbytes << " " << c.freeMByte;
        EXPECT_EQ(d.calculate, c.calculate) << c.kbytes << " " << c.freeMByte;
        EXPECT_EQ(d.backup, c.backup) << c.kbytes << " " << c.freeMByte;
        EXPECT_EQ(d.margin, c.margin) << c.kbytes << " " << c.freeMByte;
        EXPECT_EQ(d.text.IsEmpty(), !c.fits);
    }
    EXPECT_EQ(ClampToLong(0xFFFFFFFFLL), 0x7FFFFFFF);
    EXPECT_EQ(ClampToLong(-5), -5);
}

RecSegment Event(DWORD mask, BYTE type, DWORD start, DWORD end) {
    RecSegment r{};
    r.channel_mask[2] = BYTE(mask >> 8);
    r.channel_mask[3] = BYTE(mask);
    r.type = type;
    r.start_time[3] = BYTE(start);
    r.start_time[2] = BYTE(start >> 8);
    r.end_time[3] = BYTE(end);
    r.end_time[2] = BYTE(end >> 8);
    return r;
}

TEST(EventTable, RowsAreNumberedWithinTheirType) {
    const std::vector<RecSegment> records = {
        Event(1, 1, 10, 11), Event(2, 2, 20, 21), Event(3, 1, 30, 31), Event(4, 3, 40, 41),
        Event(5, 2, 50, 51), Event(6, 1, 60, 61), Event(7, 4, 70, 71),
    };
    CEventTable table;
    table.LoadSegments(records);
    EXPECT_EQ(table.CountOf(kEventAlarm), 3);
    EXPECT_EQ(table.CountOf(kEventMotion), 2);
    EXPECT_EQ(table.CountOf(kEventAudio), 1);
    ASSERT_NE(table.Find(kEventMotion, 1), nullptr);
    EXPECT_EQ(table.Find(kEventMotion, 1)->start, 50u); // the second motion event in load order
    EXPECT_EQ(table.Find(kEventAlarm, 2)->start, 60u);
    EXPECT_EQ(table.Find(kEventMotion, 2), nullptr);
    EXPECT_EQ(table.Find(3, 0), nullptr); // other types are kept but never listed
    EXPECT_EQ(table.Items()[3].index, -1);
    EXPECT_EQ(table.Find(kEventAlarm, -1), nullptr);
    EXPECT_EQ(table.FirstFilter(), kEventAlarm);

    CEventTable audioOnly;
    audioOnly.LoadSegments(std::vector<RecSegment>{Event(1, 4, 1, 2), Event(1, 9, 1, 2)});
    EXPECT_EQ(audioOnly.FirstFilter(), kEventAudio);
    CEventTable none;
    EXPECT_EQ(none.FirstFilter(), kEventAlarm);
    EXPECT_FALSE(none.HasListedEvents());

    CEventTable full;
    for (std::size_t i = 0; i < CEventTable::kCapacity; ++i) {
        ASSERT_TRUE(full.Add(1, 1, DWORD(i), DWORD(i)));
    }
    EXPECT_FALSE(full.Add(1, 1, 0, 0));
    EXPECT_EQ(full.Items().size(), CEventTable::kCapacity);
}

TEST(EventTable, Texts) {
    EXPECT_EQ(ChannelListText(0x8005), "01 03 16 ");
    EXPECT_EQ(ChannelListText(0x0202), "02 10 ");
    EXPECT_EQ(ChannelListText(0), "");
    std::tm tm{};
    tm.tm_year = 2008 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 7;
    tm.tm_min = 8;
    tm.tm_sec = 9;
    const LONGLONG t = LONGLONG(timegm(&tm));
    EXPECT_EQ(FormatRecordTime(t, 0), "2008-03-05 07:08:09");
    EXPECT_EQ(FormatRecordTime(t, 1), "03-05-2008 07:08:09");
    EXPECT_EQ(FormatRecordTime(t, 2), "05-03-2008 07:08:09");
    EXPECT_EQ(FormatRecordTime(t, 5), "");
    EXPECT_EQ(FormatRecordTime(-10, 0), "1970-01-01 00:00:00");
}

TEST(ChannelRows, OnAndOffChangeTheRowOrEveryCheckedRow) {
    const struct {
        DWORD mask;
        DWORD checked;
        int count;
        int row;
        bool on;
        DWORD result;
    } cases[] = {
        {0x0000, 0x000E, 16, 1, true, 0x000E}, // a checked row: every checked row
        {0x0000, 0x000E, 16, 0, true, 0x0001}, // an unchecked row: itself alone
        {0xFFFF, 0x00F0, 16, 4, false, 0xFF0F},
        {0x000F, 0x0000, 4, 3, false, 0x0007},
        {0xFFF0, 0xFFFF, 4, 0, true, 0xFFFF}, // rows beyond the count keep their bits
        {0x00F0, 0xFFFF, 4, 2, false, 0x00F0},
        {0x000F, 0x000F, 4, 7, false, 0x000F},  // a row the recorder does not have
        {0x0001, 0x0000, 16, 0, false, 0x0000}, // every row off is allowed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SwitchChannelRows(c.mask, c.checked, c.count, c.row, c.on), c.result) << c.row;
    }
    EXPECT_EQ(AllChannelsMask(4), 0x000Fu);
    EXPECT_EQ(AllChannelsMask(8), 0x00FFu);
    EXPECT_EQ(AllChannelsMask(16), 0xFFFFu);
    EXPECT_EQ(NormaliseChannelCount(6), 16);
    EXPECT_EQ(NormaliseChannelCount(8), 8);
}

} // namespace
