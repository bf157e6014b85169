// The recordings scan over backup sets the download writer wrote: which sets are taken, how they are
// ordered and joined, the play list each search builds, and damaged sets refused cleanly.

#include "archive/RecordingScan.h"
#include "archive/BackupSet.h"
#include "tests/archive/BackupSetMaker.h"

#include <gtest/gtest.h>

using namespace backupmaker;

namespace {

RecordingSetEntry Set(const char* name, DWORD earliest, DWORD header, DWORD trailer) {
    RecordingSetEntry s;
    s.idx_path = name;
    s.earliest_start = earliest;
    s.header_stamp = header;
    s.trailer_stamp = trailer;
    return s;
}

std::vector<std::string> Names(const std::vector<RecordingSetEntry>& sets) {
    std::vector<std::string> names;
    for (const RecordingSetEntry& s : sets) {
        names.push_back(s.idx_path);
    }
    return names;
}

// The time of the frame record a node's play offset names.
DWORD TimeAt(const PlayListNode& node, DWORD offset) {
    CBackupSet set;
    FrameRecord record{};
    EXPECT_TRUE(set.Open(node.IdxPath()));
    EXPECT_TRUE(set.ReadFrameRecord(offset, record));
    return record.frame_time;
}

} // namespace

TEST(RecordingScanOrder, SortsByEarliestAndMovesEachContinuationBehindItsSet) {
    struct Case {
        const char* what;
        std::vector<RecordingSetEntry> sets;
        std::vector<std::string> order;
        std::vector<std::pair<bool, bool>> flags; // before, after
    };
    const std::vector<Case> cases = {
        {"a set sorting between is moved behind the continuation",
         {Set("b", 30, 77, 0), Set("c", 20, 0, 0), Set("a", 10, 0, 77)},
         {"a", "b", "c"},
         {{false, true}, {true, false}, {false, false}}},
        {"stamps of 0 never join, not even two zeros",
         {Set("y", 20, 0, 0), Set("x", 10, 0, 0)},
         {"x", "y"},
         {{false, false}, {false, false}}},
        {"a chain of three keeps its order",
         {Set("c", 30, 6, 0), Set("b", 25, 5, 6), Set("a", 10, 0, 5)},
         {"a", "b", "c"},
         {{false, true}, {true, true}, {true, false}}},
        {"a single set continues nothing", {Set("s", 10, 4, 4)}, {"s"}, {{false, false}}},
    };
    for (const Case& c : cases) {
        std::vector<RecordingSetEntry> sets = c.sets;
        CRecordingScan::SortByEarliest(sets);
        CRecordingScan::LinkContinuations(sets);
        CRecordingScan::MarkContinuations(sets);
        EXPECT_EQ(Names(sets), c.order) << c.what;
        for (std::size_t i = 0; i < sets.size() && i < c.flags.size(); ++i) {
            EXPECT_EQ(sets[i].continues_before, c.flags[i].first) << c.what << " set " << i;
            EXPECT_EQ(sets[i].continues_after, c.flags[i].second) << c.what << " set " << i;
        }
    }
}

TEST(RecordingScanFind, TakesSetsByTheirVidTagIgnoringCaseBeyondFiveCharacters) {
    TempFolder folder;
    std::vector<std::filesystem::path> idx;
    for (DWORD b = 0; b < 4; ++b) {
        const auto paths = WriteBackup(folder.Path(), 0x100 + 0x10 * b, Seconds(1000 + 100 * b, 2, {0}));
        ASSERT_EQ(paths.size(), 1u);
        idx.push_back(paths[0]);
    }
    auto retag = [](const std::filesystem::path& idxPath, const char* tag) {
        std::vector<BYTE> vid = ReadAll(Sibling(idxPath, "vid"));
        std::memcpy(vid.data(), tag, 16);
        WriteAll(Sibling(idxPath, "vid"), vid);
    };
    retag(idx[1], "KELO1999\0\0\0\0\0\0\0");
    retag(idx[2], "kelo2040\0\0\0\0\0\0\0");
    std::filesystem::remove(Sibling(idx[3], "vid"));

    const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(folder.Download());
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].idx_path, idx[0].string());
    EXPECT_EQ(sets[1].idx_path, idx[1].string());
    EXPECT_EQ(sets[0].earliest_start, 1000u);
    EXPECT_EQ(sets[1].earliest_start, 1100u);
}

TEST(RecordingScanFind, JoinsTheSetsOfASplitBackup) {
    TempFolder folder;
    const auto paths = WriteBackup(folder.Path(), 0x200, Seconds(5000, 8, {0}), 3);
    ASSERT_GE(paths.size(), 2u);
    const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(folder.Download());
    ASSERT_EQ(sets.size(), paths.size());
    EXPECT_FALSE(sets.front().continues_before);
    EXPECT_TRUE(sets.front().continues_after);
    EXPECT_TRUE(sets.back().continues_before);
    EXPECT_FALSE(sets.back().continues_after);

    CRecordingScan scan;
    const std::vector<PlayListNode> nodes = scan.BuildPlayList(sets, LocalSearchKind::Time, 5000, 0);
    ASSERT_EQ(nodes.size(), sets.size());
    EXPECT_TRUE(nodes.front().continues_after);
    EXPECT_TRUE(nodes.back().continues_before);
    EXPECT_FALSE(nodes.front().continues_before);
}

TEST(RecordingScanFind, ASetWithoutItsTrailerContinuesInNoOtherSet) {
    // A backup cut off before its .idx was closed ends in data: the bytes where a trailer's stamp
    // would lie may equal the next set's header stamp, but without the trailer's magic they are
    // no stamp, and the sets are not joined.
    TempFolder folder;
    const auto paths = WriteBackup(folder.Path(), 0x200, Seconds(5000, 12, {0}), 2);
    ASSERT_GE(paths.size(), 3u);
    std::vector<BYTE> idx = ReadAll(paths.front());
    ASSERT_GT(idx.size(), 64u);
    PutLe32(idx, idx.size() - 64 + 16, 0x12345678); // not the trailer magic 0x19720505
    WriteAll(paths.front(), idx);

    const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(folder.Download());
    ASSERT_EQ(sets.size(), paths.size());
    EXPECT_EQ(sets.front().trailer_stamp, 0u);
    EXPECT_FALSE(sets.front().continues_after);
    EXPECT_FALSE(sets[1].continues_before);
    EXPECT_TRUE(sets[1].continues_after) << "the closed sets stay joined";
}

class RecordingScanBuild : public ::testing::Test {
protected:
    void SetUp() override {
        // Three segments of five seconds on channel 0 (the second an event), then a later backup.
        std::vector<Frame> frames = Seconds(100, 5, {0}, 1);
        std::vector<Frame> event = Seconds(105, 5, {0}, 2);
        for (Frame& f : event) {
            f.eventType = 2;
        }
        frames.insert(frames.end(), event.begin(), event.end());
        const std::vector<Frame> third = Seconds(110, 5, {0}, 3);
        frames.insert(frames.end(), third.begin(), third.end());
        ASSERT_EQ(WriteBackup(folder.Path(), 0x300, frames).size(), 1u);
        ASSERT_EQ(WriteBackup(folder.Path(), 0x400, Seconds(200, 3, {1})).size(), 1u);
        sets = CRecordingScan::FindSets(folder.Download());
        ASSERT_EQ(sets.size(), 2u);
    }

    std::vector<PlayListNode> Build(LocalSearchKind kind, DWORD t1, DWORD t2) {
        CRecordingScan scan;
        return scan.BuildPlayList(sets, kind, t1, t2);
    }

    TempFolder folder;
    std::vector<RecordingSetEntry> sets;
};

TEST_F(RecordingScanBuild, ATimeAloneListsEverySegmentAndStartsAtThatTime) {
    const std::vector<PlayListNode> nodes = Build(LocalSearchKind::Time, 107, 0);
    ASSERT_EQ(nodes.size(), 4u);
    const DWORD starts[4] = {100, 105, 110, 200};
    const DWORD ends[4] = {105, 110, 114, 202};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(nodes[i].segment_start, starts[i]) << i;
        EXPECT_EQ(nodes[i].segment_end, ends[i]) << i;
        EXPECT_EQ(nodes[i].range_kind, DWORD(kRangeWhole)) << i;
    }
    EXPECT_EQ(nodes[0].play_offset, nodes[0].segment_first_offset);
    EXPECT_EQ(nodes[1].play_time, 107u);
    EXPECT_EQ(TimeAt(nodes[1], nodes[1].play_offset), 107u);
    EXPECT_EQ(nodes[1].segment_end_offset, nodes[2].segment_first_offset);
    EXPECT_EQ(nodes[3].channel_mask, 0x2u);
    EXPECT_EQ(CRecordingScan::FindStartNode(nodes, 107), std::optional<std::size_t>(1));
    // Between the two backups playback starts at the first segment that ends after the time.
    EXPECT_EQ(CRecordingScan::FindStartNode(Build(LocalSearchKind::Time, 150, 0), 150), std::optional<std::size_t>(3));
    EXPECT_EQ(CRecordingScan::FindStartNode(Build(LocalSearchKind::Time, 300, 0), 300), std::nullopt);
}

TEST_F(RecordingScanBuild, AnEventListsOnlyItsOwnSegment) {
    const std::vector<PlayListNode> nodes = Build(LocalSearchKind::Time, 105, 110);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].segment_start, 105u);
    EXPECT_EQ(nodes[0].play_time, 105u);
    EXPECT_EQ(TimeAt(nodes[0], nodes[0].play_offset), 105u);
    EXPECT_TRUE(Build(LocalSearchKind::Time, 105, 111).empty());
}

TEST_F(RecordingScanBuild, ARangeMarksWhereItStartsAndEnds) {
    struct Case {
        DWORD t1, t2;
        std::vector<DWORD> kinds;
        std::vector<DWORD> playTimes;
    };
    const std::vector<Case> cases = {
        // start in the first segment, end in the third
        {102, 112, {kRangeStartsAt, kRangeInside, kRangeEndsAt}, {102, 105, 113}},
        // start and end in one segment: one node, played to the segment's end
        {101, 103, {kRangeStartsAt}, {101}},
        // an end beyond the recordings: the last segment of the last set ends the range
        {106, 500, {kRangeStartsAt, kRangeInside, kRangeEndsAt}, {106, 110, 202}},
    };
    for (const Case& c : cases) {
        const std::vector<PlayListNode> nodes = Build(LocalSearchKind::Range, c.t1, c.t2);
        ASSERT_EQ(nodes.size(), c.kinds.size()) << c.t1 << "-" << c.t2;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(nodes[i].range_kind, c.kinds[i]) << c.t1 << "-" << c.t2 << " node " << i;
            EXPECT_EQ(nodes[i].play_time, c.playTimes[i]) << c.t1 << "-" << c.t2 << " node " << i;
        }
    }
    const std::vector<PlayListNode> nodes = Build(LocalSearchKind::Range, 102, 112);
    EXPECT_EQ(TimeAt(nodes[0], nodes[0].play_offset), 102u);
    EXPECT_EQ(TimeAt(nodes[2], nodes[2].play_offset), 113u); // the first frame after the end
    const std::vector<PlayListNode> open = Build(LocalSearchKind::Range, 106, 500);
    EXPECT_EQ(open.back().play_offset, open.back().segment_end_offset);
}

TEST_F(RecordingScanBuild, DamagedSetsAddNothingAndTheOthersStillPlay) {
    const std::filesystem::path idx = sets[0].idx_path;
    const std::vector<BYTE> original = ReadAll(idx);
    struct Case {
        const char* what;
        std::function<void(std::vector<BYTE>&)> damage;
    };
    const std::vector<Case> cases = {
        {"index cut short", [](std::vector<BYTE>& b) { b.resize(0x1000); }},
        {"record count beyond the slots", [](std::vector<BYTE>& b) { PutLe32(b, 0x40 + 32, 5000); }},
        {"record count beyond the records", [](std::vector<BYTE>& b) { PutLe32(b, 0x40 + 32, 4); }},
        {"header magic", [](std::vector<BYTE>& b) { PutLe32(b, 16, 0x12345678); }},
        {"entry outside the frame records", [](std::vector<BYTE>& b) { PutLe32(b, 0x400C0, 0x7FFFFFF0); }},
        {"entry between two records", [](std::vector<BYTE>& b) { PutLe32(b, 0x400C0, 64 + 100); }},
        {"first entry outside the entry list", [](std::vector<BYTE>& b) { PutLe32(b, 0xC0 + 32, 0x10); }},
        {"segments out of order", [](std::vector<BYTE>& b) { PutLe32(b, 0xC0 + 256 + 32, 0x400C0); }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> damaged = original;
        c.damage(damaged);
        WriteAll(idx, damaged);
        const std::vector<PlayListNode> nodes = Build(LocalSearchKind::Time, 100, 0);
        ASSERT_EQ(nodes.size(), 1u) << c.what;
        EXPECT_EQ(nodes[0].segment_start, 200u) << c.what;
    }
    WriteAll(idx, original);
    EXPECT_EQ(Build(LocalSearchKind::Time, 100, 0).size(), 4u);
}

TEST(BackupSetRead, FramesAreCheckedAgainstTheirFiles) {
    TempFolder folder;
    const auto paths = WriteBackup(folder.Path(), 0x500, Seconds(100, 3, {0, 1}));
    ASSERT_EQ(paths.size(), 1u);
    CBackupSet set;
    ASSERT_TRUE(set.Open(paths[0].string()));
    std::vector<BackupSegment> segments;
    ASSERT_TRUE(set.LoadSegments(segments));
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].channel_mask, 0x3u);
    EXPECT_EQ(segments[0].first_record, 64u);
    EXPECT_EQ(segments[0].end_record, 64u + 6 * 192);

    BackupFrame frame;
    ASSERT_TRUE(set.ReadFrame(64 + 192, frame));
    EXPECT_EQ(frame.info.channel, 1);
    EXPECT_EQ(DWORD(frame.record.frame_time), 100u);
    EXPECT_FALSE(set.ReadFrame(64 + 6 * 192, frame)) << "behind the last record";
    EXPECT_FALSE(set.ReadFrame(64 + 10, frame)) << "inside a record";
    std::vector<BYTE> bytes(4096, 0xEE);
    ASSERT_TRUE(set.ReadFrameBytes(frame.record.vid_offset, bytes.data(), bytes.size()));
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes.back(), 0) << "bytes behind the data read as zero";

    // A frame whose header claims more than the .vid holds is refused.
    set.Close();
    const std::filesystem::path vid = Sibling(paths[0], "vid");
    std::vector<BYTE> damaged = ReadAll(vid);
    damaged[64 + 10] = 0xFF;
    damaged[64 + 11] = 0xFF;
    WriteAll(vid, damaged);
    ASSERT_TRUE(set.Open(paths[0].string()));
    EXPECT_FALSE(set.ReadFrame(64, frame));
    EXPECT_TRUE(set.ReadFrame(64 + 192, frame));
}
