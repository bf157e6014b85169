// The recorder's log: entries read from a reply, their column texts on the lists, and the detail
// rows of settings changes, backups and camera name changes.

#include "archive/RemoteLogText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Texts as "T<id>", so a test sees which text a column took.
CString Text(UINT id) {
    CString t;
    t.Format("T%u", id);
    return t;
}

void PutBe32(std::vector<BYTE>& bytes, std::size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + std::size_t(i)] = BYTE(value >> (24 - 8 * i));
    }
}

// One record as the recorder sends it.
std::vector<BYTE> Record(DWORD number, DWORD main, DWORD sub, DWORD time, DWORD value, const char* shortText = "",
                         const char* longText = "", DWORD size = 200) {
    std::vector<BYTE> r(size, 0);
    const DWORD fields[6] = {number, size, main, sub, time, value};
    for (int i = 0; i < 6 && std::size_t(4 * i + 4) <= r.size(); ++i) {
        PutBe32(r, std::size_t(4 * i), fields[i]);
    }
    if (r.size() >= 184) {
        std::memcpy(r.data() + 24, longText, std::min<std::size_t>(std::strlen(longText), 128));
        std::memcpy(r.data() + 152, shortText, std::min<std::size_t>(std::strlen(shortText), 32));
    }
    return r;
}

RemoteLogEntry Entry(DWORD main, DWORD sub, DWORD value = 0, const char* shortText = "S", const char* longText = "L",
                     DWORD time = 1204372800) {
    const std::vector<BYTE> bytes = Record(7, main, sub, time, value, shortText, longText);
    const std::vector<RemoteLogEntry> entries = LoadRemoteLogReply(bytes);
    EXPECT_EQ(entries.size(), 1u);
    return entries.empty() ? RemoteLogEntry{} : entries[0];
}

std::vector<std::string> Strings(const LogRow& row) {
    std::vector<std::string> out;
    for (const CString& c : row) {
        out.emplace_back(c.GetString());
    }
    return out;
}

} // namespace

TEST(RemoteLogReply, ReadsEveryRecordInHostOrder) {
    std::vector<BYTE> reply;
    for (DWORD n = 1; n <= 3; ++n) {
        const std::vector<BYTE> r = Record(n, 16, 1, 1000 + n, 0x8001, "short", "long");
        reply.insert(reply.end(), r.begin(), r.end());
    }
    const std::vector<RemoteLogEntry> entries = LoadRemoteLogReply(reply);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].number, 3u);
    EXPECT_EQ(entries[2].record_size, 200u);
    EXPECT_EQ(entries[2].index_main, 16u);
    EXPECT_EQ(entries[2].time, 1003u);
    EXPECT_EQ(entries[2].value, 0x8001u);
    EXPECT_STREQ(entries[2].short_text, "short");
}

TEST(RemoteLogReply, RecordSizesAndCountsAreBounded) {
    struct Case {
        const char* what;
        std::vector<BYTE> reply;
        std::size_t entries;
    };
    std::vector<BYTE> many;
    for (int i = 0; i < 2600; ++i) {
        const std::vector<BYTE> r = Record(DWORD(i), 1, 1, 0, 0, "", "", 24);
        many.insert(many.end(), r.begin(), r.end());
    }
    std::vector<BYTE> withTail = Record(1, 1, 1, 0, 0);
    withTail.resize(300);
    const std::vector<Case> cases = {
        {"empty", {}, 0},
        {"one record", Record(1, 1, 1, 0, 0, "", "", 200), 1},
        {"a trailing part of a record", withTail, 1},
        {"more than the table holds", many, 2500},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadRemoteLogReply(c.reply).size(), c.entries) << c.what;
    }
    for (DWORD size : {0u, 201u, 0xFFFFFFFFu}) {
        std::vector<BYTE> r = Record(1, 1, 1, 0, 0);
        PutBe32(r, 4, size);
        EXPECT_TRUE(LoadRemoteLogReply(r).empty()) << "record size " << size;
    }
    // A shorter record size reads that much of each record; the rest of an entry stays zero.
    const std::vector<RemoteLogEntry> shortRecords = LoadRemoteLogReply(many);
    EXPECT_EQ(shortRecords[2499].number, 2499u);
    EXPECT_EQ(shortRecords[2499].short_text[0], 0);
}

TEST(RemoteLogText, ColumnTextsByKindAndSubKind) {
    struct Case {
        const char* what;
        int kind; // -1: the All page
        RemoteLogEntry entry;
        std::vector<std::string> columns;
    };
    const std::vector<Case> cases = {
        {"power on shows no long text", -1, Entry(1, 1), {"00007", "2008-03-01 12:00:00", " T5110", "S", ""}},
        {"power sub-kind 1 shows it", -1, Entry(1, 2), {"00007", "2008-03-01 12:00:00", " T5111", "S", "L"}},
        {"record", -1, Entry(2, 16), {"00007", "2008-03-01 12:00:00", " T5117", "S", "L"}},
        {"operation bits 3 and 4 are sub-kind 3",
         -1,
         Entry(4, 0x18),
         {"00007", "2008-03-01 12:00:00", " T5121", "S", "L"}},
        {"operation sub-kind 2 hides the long text",
         -1,
         Entry(4, 4),
         {"00007", "2008-03-01 12:00:00", " T5120", "S", ""}},
        {"operation sub-kind 8 hides it too", -1, Entry(4, 0x100), {"00007", "2008-03-01 12:00:00", " T5891", "S", ""}},
        {"operation without sub-kind", -1, Entry(4, 0), {"00007", "2008-03-01 12:00:00", "", "S", "L"}},
        {"camera name change", -1, Entry(4, 1u << 13, 7), {"00007", "2008-03-01 12:00:00", " Cam07 Name", "S", "L"}},
        {"client", -1, Entry(8, 0x80), {"00007", "2008-03-01 12:00:00", " T5129", "S", "L"}},
        {"event lists its channels",
         -1,
         Entry(16, 1, 0x0005),
         {"00007", "2008-03-01 12:00:00", " T5130", "S", "01 03 "}},
        {"event without channels", -1, Entry(16, 0x10, 0), {"00007", "2008-03-01 12:00:00", " T5134", "S", ""}},
        {"no kind: number and date only", -1, Entry(32, 1), {"00007", "2008-03-01 12:00:00", "", "", ""}},
        {"power and operation on the All page is power",
         -1,
         Entry(5, 2),
         {"00007", "2008-03-01 12:00:00", " T5111", "S", "L"}},
        {"power and operation on the Operation page",
         2,
         Entry(5, 2),
         {"00007", "2008-03-01 12:00:00", " T5119", "S", "L"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Strings(FormatRemoteLogRow(c.entry, c.kind, 0, Text)), c.columns) << c.what;
    }
    const std::string all = FormatRemoteLogRow(Entry(16, 1, 0xFFFF), -1, 0, Text)[4].GetString();
    EXPECT_EQ(all, "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 ");
}

TEST(RemoteLogText, DatesInEveryFormatWithNegativeTimesAsTheEpoch) {
    struct Case {
        DWORD time;
        int format;
        const char* text;
    };
    const Case cases[] = {
        {1204372800 + 3723, 0, "2008-03-01 13:02:03"},
        {1204372800 + 3723, 1, "03-01-2008 13:02:03"},
        {1204372800 + 3723, 2, "01-03-2008 13:02:03"},
        {1204372800 + 3723, 7, "01-03-2008 13:02:03"},
        {0, 0, "1970-01-01 00:00:00"},
        {0x80000000u, 0, "1970-01-01 00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(FormatLogDateTime(c.time, c.format).GetString(), c.text) << c.time << " " << c.format;
    }
}

TEST(RemoteLogText, TextsFillingTheirFieldsAreCutToTheColumn) {
    RemoteLogEntry entry = Entry(2, 1);
    std::memset(entry.long_text, 'x', sizeof entry.long_text);
    std::memset(entry.short_text, 'y', sizeof entry.short_text);
    const LogRow row = FormatRemoteLogRow(entry, -1, 0, Text);
    EXPECT_EQ(row[4].GetLength(), 127);
    EXPECT_EQ(row[3].GetLength(), 32);
}

TEST(RemoteLogText, WhichEntriesOfferDetailsOrPlay) {
    struct Case {
        DWORD main;
        DWORD sub;
        int detail;
        bool playable;
    };
    const Case cases[] = {
        {4, 1u << 4, 4, false}, {4, 1u << 9, 9, false},      {4, 1u << 13, 13, false}, {4, 1u << 3, -1, false},
        {4, 0x18, -1, false},   {1 | 4, 1u << 4, -1, false}, {16, 1, -1, true},        {16, 4, -1, true},
        {16, 8, -1, false},     {16, 0, -1, true},           {16, 1u << 5, -1, true},  {0, 1, -1, false},
    };
    for (const Case& c : cases) {
        const RemoteLogEntry e = Entry(c.main, c.sub);
        EXPECT_EQ(DetailKindOf(e), c.detail) << c.main << "/" << c.sub;
        EXPECT_EQ(IsPlayableEvent(e), c.playable) << c.main << "/" << c.sub;
    }
}

TEST(RemoteLogDetail, SettingsChangeListsEachChangedSettingOfItsGroup) {
    RemoteLogEntry e = Entry(4, 1u << 4);
    EXPECT_EQ(FormatRemoteLogDetail(e, 4, 0, Text).size(), 2u) << "no change: the entry and an empty row";

    e.detail[0] = 0xC1; // bit 0, and bits 6 and 7 beyond the group's six
    e.detail[2] = 0x09; // bit 0, and bit 3 which has no row
    e.detail[4] = 0x10;
    const std::vector<LogRow> rows = FormatRemoteLogDetail(e, 4, 0, Text);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_STREQ(rows[0][2].GetString(), " T5121");
    EXPECT_TRUE(rows[1][0].IsEmpty() && rows[1][1].IsEmpty());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {" T5893", " T5660"}, {" T5894", " T5700"}, {" T5451", " T5733"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(rows[2 + i][0].IsEmpty());
        EXPECT_EQ(rows[2 + i][1].GetString(), expected[i].first);
        EXPECT_EQ(rows[2 + i][2].GetString(), expected[i].second);
    }
}

TEST(RemoteLogDetail, BackupRowsNameTheMediumFormatSpanAndChannels) {
    struct Case {
        BYTE media;
        BYTE format;
        BYTE low;
        BYTE high;
        DWORD start;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {8,
         0,
         0x81,
         0,
         1204372800,
         {" Unknown", " Exclusive", " 2008-03-01 12:00:00", " 1970-01-01 00:00:00", " 01 08"}},
        {200,
         2,
         0,
         0x03,
         0x80000000u,
         {" Unknown", " Exclusive", " 1970-01-01 00:00:00", " 1970-01-01 00:00:00", " 09 10"}},
        {6, 1, 0, 0, 0, {" DVD+RW DL", " AVI", " 1970-01-01 00:00:00", " 1970-01-01 00:00:00"}},
    };
    for (const Case& c : cases) {
        RemoteLogEntry e = Entry(4, 1u << 9);
        e.detail[0] = c.media;
        e.detail[1] = c.format;
        e.detail[2] = c.low;
        e.detail[3] = c.high;
        for (int i = 0; i < 4; ++i) {
            e.detail[8 + i] = BYTE(c.start >> (24 - 8 * i));
        }
        const std::vector<LogRow> rows = FormatRemoteLogDetail(e, 9, 0, Text);
        ASSERT_EQ(rows.size(), 2 + c.values.size()) << int(c.media);
        const char* labels[] = {" T5899", " T5492", " T5420", " T5421", " T5152"};
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_STREQ(rows[2 + i][1].GetString(), labels[i]) << int(c.media) << " row " << i;
            EXPECT_EQ(rows[2 + i][2].GetString(), c.values[i]) << int(c.media) << " row " << i;
        }
    }
}

TEST(RemoteLogDetail, CameraNameChangeShowsBothNames) {
    RemoteLogEntry e = Entry(4, 1u << 13, 3, "S", "");
    std::memcpy(e.long_text + 64, "Gate", 4);
    std::memset(e.long_text + 96, 'N', 32); // the new name fills its slot without a terminator
    const std::vector<LogRow> rows = FormatRemoteLogDetail(e, 13, 0, Text);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_STREQ(rows[0][2].GetString(), " Cam03 Name");
    EXPECT_STREQ(rows[2][1].GetString(), " Previous");
    EXPECT_STREQ(rows[2][2].GetString(), " Gate");
    EXPECT_STREQ(rows[3][1].GetString(), " New");
    EXPECT_EQ(std::string(rows[3][2].GetString()), " " + std::string(32, 'N'));
}
