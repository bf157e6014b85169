// Reading the downloaded backup index files back: the tag, bounded record reading, the local
// calendar's month block and the local event list's order.
#include "archive/LocalEvents.h"
#include "archive/LocalIndexFile.h"
#include "archive/LocalMonthBlock.h"
#include "protocol/BackupFileSet.h"
#include "tests/archive/IndexFileMaker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

using namespace indexfile;

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
