// The local log read back: files the program's own log writer made, in ring order, their row texts,
// and images that are not such a file.

#include "app/LocalLog.h"
#include "archive/LocalLogImage.h"
#include "tests/archive/BackupSetMaker.h"

#include <gtest/gtest.h>

using backupmaker::ReadAll;
using backupmaker::TempFolder;

namespace {

CString Text(UINT id) {
    CString t;
    t.Format("T%u", id);
    return t;
}

std::vector<BYTE> LogOf(const TempFolder& folder, int entries) {
    const std::string location = folder.Path().string();
    for (int i = 0; i < entries; ++i) {
        CLocalLog::WriteAt(location.c_str(), false, 1u << (i % 4), 1, "user", "10.0.0.1", DWORD(1000 + i));
    }
    return ReadAll(CLocalLog::PathOf(location.c_str()));
}

} // namespace

TEST(LocalLogImage, AnUnwrappedLogIsReadInWritingOrder) {
    TempFolder folder;
    const std::vector<LocalLogRecord> records = LoadLocalLogImage(LogOf(folder, 10));
    ASSERT_EQ(records.size(), 10u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(DWORD(records[i].slot), i);
        EXPECT_EQ(DWORD(records[i].time), 1000 + i);
    }
}

TEST(LocalLogImage, AWrappedLogStartsAtItsNextSlot) {
    TempFolder folder;
    const std::vector<LocalLogRecord> records = LoadLocalLogImage(LogOf(folder, 2505));
    ASSERT_EQ(records.size(), 2500u);
    // The ring's next slot is 5: the oldest record is slot 5, the newest slot 4.
    EXPECT_EQ(DWORD(records.front().slot), 5u);
    EXPECT_EQ(DWORD(records.back().slot), 4u);
    EXPECT_EQ(DWORD(records.back().time), 1000u + 2504u);
    EXPECT_EQ(DWORD(records.front().time), 1000u + 5u);
}

TEST(LocalLogImage, ImagesThatAreNotALogGiveNoRecords) {
    TempFolder folder;
    const std::vector<BYTE> log = LogOf(folder, 3);
    struct Case {
        const char* what;
        std::size_t at;
        DWORD value;
    };
    const Case cases[] = {
        {"record size 0", 12, 0}, {"record size above 184", 12, 185}, {"next slot outside the ring", 4, 2500}};
    for (const Case& c : cases) {
        std::vector<BYTE> bad = log;
        backupmaker::PutLe32(bad, c.at, c.value);
        EXPECT_TRUE(LoadLocalLogImage(bad).empty()) << c.what;
    }
    EXPECT_TRUE(LoadLocalLogImage({}).empty());
    std::vector<BYTE> cut = log;
    cut.resize(8 + 184 + 100);
    EXPECT_EQ(LoadLocalLogImage(cut).size(), 1u) << "a partly written record is left out";
}

TEST(LocalLogImage, SlotsNeverWrittenGiveNoBlankRows) {
    // A log whose header pointed past the file's end: the records written there left a hole of
    // zero slots behind the older ones.
    TempFolder folder;
    std::vector<BYTE> log = LogOf(folder, 3);
    log.resize(8 + 7 * 184, 0);
    backupmaker::PutLe32(log, 4, 7);
    const std::vector<LocalLogRecord> records = LoadLocalLogImage(log);
    ASSERT_EQ(records.size(), 3u);
    for (const LocalLogRecord& record : records) {
        EXPECT_EQ(DWORD(record.size), 184u);
    }
}

TEST(LocalLogImage, RowTextsByKind) {
    struct Case {
        const char* what;
        DWORD main;
        DWORD sub;
        std::vector<std::string> columns;
    };
    const std::vector<Case> cases = {
        {"program start", 1, 1, {"0012", "1970-01-01 00:16:40", "T5360", "", ""}},
        {"logon shows user and address", 2, 4, {"0012", "1970-01-01 00:16:40", "T5364", "user", "10.0.0.1"}},
        {"logon without sub-kind", 2, 8, {"0012", "1970-01-01 00:16:40", "", "user", "10.0.0.1"}},
        {"local play end", 4, 2, {"0012", "1970-01-01 00:16:40", "T5366", "", ""}},
        {"local setup uses the setup command's text", 8, 1, {"0012", "1970-01-01 00:16:40", "T5004", "", ""}},
        {"snapshot", 8, 2, {"0012", "1970-01-01 00:16:40", "T5368", "", ""}},
        {"an unknown kind: number and date", 16, 1, {"0012", "1970-01-01 00:16:40", "", "", ""}},
    };
    for (const Case& c : cases) {
        LocalLogRecord record{};
        record.index_main = c.main;
        record.index_sub = c.sub;
        record.time = 1000;
        std::strcpy(record.user_id, "user");
        std::strcpy(record.address, "10.0.0.1");
        const LogRow row = FormatLocalLogRow(record, 12, 0, Text);
        std::vector<std::string> got;
        for (const CString& s : row) {
            got.emplace_back(s.GetString());
        }
        EXPECT_EQ(got, c.columns) << c.what;
    }
    LocalLogRecord negative{};
    negative.time = 0xFFFFFFF0u;
    EXPECT_STREQ(FormatLocalLogRow(negative, 1, 1, Text)[1].GetString(), "01-01-1970 00:00:00");
}
