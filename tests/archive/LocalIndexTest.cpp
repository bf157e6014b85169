// Reading the downloaded backup index files back: the tag, bounded record reading, the local
// calendar's month block and the local event list's order.
#include "archive/LocalEvents.h"
#include "archive/LocalIndexFile.h"
#include "archive/LocalMonthBlock.h"
#include "protocol/BackupFileSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

struct Segment {
    DWORD start;
    DWORD end;
    DWORD mask;
    BYTE type;
};

DWORD At(int year, int month, int day, int hour = 12) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day + 1;
    tm.tm_hour = hour;
    return DWORD(timegm(&tm));
}

// An index file as the download writer lays it out; `count` may claim more records than written.
std::vector<BYTE> IndexFile(const std::vector<Segment>& segments, DWORD count, const char* tag = "kelo1040") {
    std::vector<BYTE> bytes(kIdxRecordsOffset + segments.size() * sizeof(IndexRecord));
    DownloadFileHeader header = MakeFileHeader(0);
    std::memset(header.tag, 0, sizeof header.tag);
    std::memcpy(header.tag, tag, std::strlen(tag));
    std::memcpy(bytes.data(), &header, sizeof header);
    const IndexSummary summary = MakeIndexSummary(segments.empty() ? 0 : segments.front().start, 0, count);
    std::memcpy(bytes.data() + kIdxSummaryOffset, &summary, sizeof summary);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        IndexRecord r = MakeIndexRecord();
        r.start = segments[i].start;
        r.end = segments[i].end;
        r.channel_mask = segments[i].mask;
        r.attributes[2] = segments[i].type;
        std::memcpy(bytes.data() + kIdxRecordsOffset + i * sizeof r, &r, sizeof r);
    }
    return bytes;
}

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/kelo-archive-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    void Write(const char* name, const std::vector<BYTE>& bytes) const {
        std::ofstream out(path / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::filesystem::path path;
};

TEST(LocalIndexFile, TagsAreComparedOnFiveCharactersInAnyCase) {
    const struct {
        const char* tag;
        bool taken;
    } cases[] = {{"kelo1040", true}, {"KELO1040", true}, {"Kelo1999", true}, {"kelo", false}, {"kelp1040", false}};
    for (const auto& c : cases) {
        IndexFileContents contents;
        EXPECT_EQ(ParseIndexFile(IndexFile({{1, 2, 1, 1}}, 1, c.tag), contents), c.taken) << c.tag;
    }
    IndexFileContents contents;
    EXPECT_FALSE(ParseIndexFile(std::vector<BYTE>(63, 'k'), contents));
}

TEST(LocalIndexFile, RecordsAreReadOnlyAsFarAsTheFileHoldsThem) {
    IndexFileContents contents;
    // The summary claims a million records; two are there.
    ASSERT_TRUE(ParseIndexFile(IndexFile({{10, 20, 3, 2}, {30, 40, 5, 4}}, 1000000), contents));
    ASSERT_EQ(contents.segments.size(), 2u);
    EXPECT_EQ(contents.segments[1].start, 30u);
    EXPECT_EQ(contents.segments[1].channelMask, 5u);
    EXPECT_EQ(contents.segments[1].eventType, 4);
    EXPECT_EQ(contents.earliestStart, 10u);
    // A summary that claims fewer than are there is believed.
    ASSERT_TRUE(ParseIndexFile(IndexFile({{10, 20, 3, 2}, {30, 40, 5, 4}}, 1), contents));
    EXPECT_EQ(contents.segments.size(), 1u);
    // Never past the set's 1024 record slots, where the per-second entries begin.
    std::vector<Segment> many(1030, Segment{1, 2, 1, 1});
    ASSERT_TRUE(ParseIndexFile(IndexFile(many, 1030), contents));
    EXPECT_EQ(contents.segments.size(), std::size_t(kMaxIndexRecords));
}

TEST(LocalMonthBlock, ASegmentMarksEveryDayItTouchesInTheShownYear) {
    TempFolder folder;
    // 30 December 2007 to 2 January 2008, a motion segment on channels 1 and 2.
    folder.Write("47780000.idx", IndexFile({{At(2007, 11, 29), At(2008, 0, 1), 3, 2}}, 1));
    folder.Write("notes.txt", IndexFile({{At(2007, 5, 5), At(2007, 5, 5), 1, 1}}, 1));
    folder.Write("bad.idx", IndexFile({{At(2007, 5, 5), At(2007, 5, 5), 1, 1}}, 1, "other"));
    CLocalMonthBlock block;
    block.ScanFolder(folder.path, 2007);
    EXPECT_EQ(block.Year(), 2007);
    EXPECT_EQ(block.Flag(11, 29), 1 << 2);
    EXPECT_EQ(block.Flag(11, 30), 1 << 2);
    EXPECT_EQ(block.Flag(11, 28), 0);
    EXPECT_EQ(block.Flag(5, 4), 0); // neither the text file nor the untagged index
    ASSERT_EQ(block.Day(11, 30).size(), 1u);
    EXPECT_EQ(block.Day(11, 30)[0].channel_mask, 3u);
    block.ScanFolder(folder.path, 2008);
    EXPECT_EQ(block.Flag(0, 0), 1 << 2);
    EXPECT_EQ(block.Flag(0, 1), 1 << 2);
    EXPECT_EQ(block.Flag(0, 2), 0);
    EXPECT_EQ(block.Flag(11, 30), 0);
    const std::vector<LocalSegment> taken = block.TakeDay(0, 1);
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].start, At(2007, 11, 29));
    EXPECT_TRUE(block.Day(0, 1).empty());
    block.ScanFolder(folder.path, 2009);
    EXPECT_EQ(block.Year(), 0);

    // A segment over three months of a year marks whole months in between, month lengths included.
    CLocalMonthBlock spread;
    const IndexSegment s{At(2008, 0, 30), At(2008, 2, 0), 1, 1};
    spread.MarkFileDays(SplitRecorderTimeOrEpoch(s.start), SplitRecorderTimeOrEpoch(s.end), s, 2008);
    EXPECT_EQ(spread.Flag(1, 28), 2);
    EXPECT_EQ(spread.Flag(1, 29), 0); // 30 February does not exist
    EXPECT_EQ(spread.Flag(2, 0), 2);
    // A type code of 8 or more carries no bit, but the segment is still listed.
    const IndexSegment odd{At(2008, 5, 5), At(2008, 5, 5), 1, 200};
    spread.MarkFileDays(SplitRecorderTimeOrEpoch(odd.start), SplitRecorderTimeOrEpoch(odd.end), odd, 2008);
    EXPECT_EQ(spread.Flag(5, 5), 0);
    EXPECT_EQ(spread.Day(5, 5).size(), 1u);
    const RecMonthInfo record = spread.AsMonthRecord();
    EXPECT_EQ(record.Year(), 2008u);
    EXPECT_EQ(record.Flag(2, 0), 2);
}

TEST(LocalEvents, FilesAreTakenInTheOrderOfTheirEarliestStart) {
    TempFolder folder;
    folder.Write("a.idx", IndexFile({{500, 510, 1, 2}, {520, 530, 1, 1}}, 2));
    folder.Write("b.idx", IndexFile({{100, 110, 1, 2}, {120, 130, 1, 0}}, 2));
    folder.Write("c.idx", IndexFile({{300, 310, 1, 2}}, 2, "KELO1040"));
    CEventTable table;
    ASSERT_TRUE(LoadLocalEvents(folder.path, table));
    ASSERT_EQ(table.Items().size(), 5u);
    EXPECT_EQ(table.Find(kEventMotion, 0)->start, 100u);
    EXPECT_EQ(table.Find(kEventMotion, 1)->start, 300u);
    EXPECT_EQ(table.Find(kEventMotion, 2)->start, 500u);
    EXPECT_EQ(table.Find(kEventAlarm, 0)->start, 520u);

    TempFolder empty;
    empty.Write("d.idx", IndexFile({{100, 110, 1, 0}}, 1));
    EXPECT_FALSE(LoadLocalEvents(empty.path, table)); // a type-0 segment is no listed event
    EXPECT_FALSE(LoadLocalEvents(empty.path / "missing", table));
}

} // namespace
