#pragma once
// The scan behind local playback: finds the backup file sets in a download folder, orders them by
// their earliest recording, joins the sets that a size split continued, and builds the play list
// for a time, an event or a range.

#include "archive/PlayListNode.h"
#include "platform/base/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

class CBackupSet;
struct BackupSegment;

// A set found by the scan.
struct RecordingSetEntry {
    std::string idx_path;
    DWORD earliest_start = 0; // IndexSummary +24
    DWORD header_stamp = 0;   // .idx header +32
    DWORD trailer_stamp = 0;  // .idx trailer +32
    bool continues_before = false;
    bool continues_after = false;
};

// What the local search looks for: a start time, optionally with an event's end, or a range.
enum class LocalSearchKind : BYTE { Time = 0, Range = 1 };

class CRecordingScan {
public:
    // The scan keeps this many sets; further ones are left out.
    static constexpr std::size_t kMaxSets = 1000;

    // The sets of a folder (ending in a separator) whose .vid carries the program's tag and whose
    // .idx gives its stamps, ordered and linked, with their continuation flags.
    static std::vector<RecordingSetEntry> FindSets(const std::string& folder);

    // Ascending by earliest start, by an exchange sort whose order for equal starts the linking
    // rule depends on.
    static void SortByEarliest(std::vector<RecordingSetEntry>& sets);
    // Moves each set's continuation (the later set whose header stamp equals its non-zero trailer
    // stamp) directly behind it.
    static void LinkContinuations(std::vector<RecordingSetEntry>& sets);
    static void MarkContinuations(std::vector<RecordingSetEntry>& sets);

    // The play list: kind Time with t2 0 plays from t1 on, kind Time with t2 the one event
    // [t1, t2], kind Range the range [t1, t2].
    std::vector<PlayListNode> BuildPlayList(const std::vector<RecordingSetEntry>& sets, LocalSearchKind kind, DWORD t1,
                                            DWORD t2);

    // The node playback starts at: the first that does not end at or before t1.
    static std::optional<std::size_t> FindStartNode(const std::vector<PlayListNode>& nodes, DWORD t1);

private:
    enum class Builder { FromTime, Event, Range };

    void AddSet(const RecordingSetEntry& set, Builder builder, bool lastSet, DWORD t1, DWORD t2,
                std::vector<PlayListNode>& out);
    static PlayListNode MakeNode(const BackupSegment& segment, const std::string& vidPath);
    // The first frame at or after t (after t when `after`); the segment's end when it has none.
    static void PlayFrom(CBackupSet& files, const BackupSegment& segment, DWORD t, bool after, PlayListNode& node);

    bool m_startFound = false;
    bool m_endFound = false;
};
