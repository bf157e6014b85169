#pragma once
// A backup file set opened for reading: the .idx, .vih and .vid that share one path but for their
// last three characters. Every offset read from a file is checked against the file before it is
// used, so a truncated or damaged set gives a clean refusal, never a read outside its data.
//
// The local search reads a set's segments once to build its play list; the local player reads its
// frame records, frame headers and frames while it plays.

#include "platform/base/File.h"
#include "platform/base/WinTypes.h"
#include "protocol/BackupFileSet.h"
#include "protocol/FrameHeader.h"
#include "protocol/FrameRecord.h"

#include <functional>
#include <string>
#include <vector>

// One index record of a set, with the .vih and .idx ranges it covers.
struct BackupSegment {
    DWORD slot = 0;         // number of the index record in the .idx
    DWORD start = 0;        // time of its first frame
    DWORD end = 0;          // time of the next segment's first frame, or of the set's last frame
    DWORD channel_mask = 0; // the record's two channel masks ANDed
    BYTE audio_present = 0; // bit 0 of the record's +40
    BYTE event_type = 0;    // the record's byte 50
    DWORD first_entry = 0;  // .idx offset of its first PerSecondEntry
    DWORD entries_end = 0;  // .idx offset behind its last PerSecondEntry
    DWORD first_record = 0; // .vih offset of its first FrameRecord
    DWORD end_record = 0;   // .vih offset behind its last FrameRecord
};

// A frame as the player reads it: its record, its header and what the header says.
struct BackupFrame {
    FrameRecord record{};
    FrameHeader header{};
    FrameInfo info{};
};

class CBackupSet {
public:
    // The path of a sibling file: the path less its last three characters, then the extension.
    static std::string SiblingPath(const std::string& path, const char* extension);
    // Whether a .vid belongs to this program: the first five characters of its 16-byte tag, case
    // folded, read "kelo1".
    static bool HasProgramTag(const char tag[16]);
    // The stamps and earliest start the local search sorts and links sets by. False when the .idx
    // cannot be read or is too short to hold them.
    struct Stamps {
        DWORD header = 0;   // .idx header +32
        DWORD trailer = 0;  // .idx trailer +32; 0 when the .idx ends without a trailer
        DWORD earliest = 0; // IndexSummary +24
    };
    static bool ReadStamps(const std::string& idxPath, Stamps& out);
    static bool ReadVidTag(const std::string& vidPath, char tag[16]);

    // Opens the three files of the set whose .idx is given. False when one cannot be opened, the
    // .idx header lacks the file magic, or a file is too short to be a closed set.
    bool Open(const std::string& idxPath);
    void Close();
    bool IsOpen() const { return m_idx.IsOpen(); }

    // The set's segments in index order, their ranges checked against the files and against each
    // other. False when the index is inconsistent: the set is then not played at all.
    bool LoadSegments(std::vector<BackupSegment>& out);

    // The .vih offset the entry at idxOffset names; false outside the entry list or when the
    // named offset is not a frame record of the set.
    bool ReadEntry(DWORD idxOffset, DWORD& vihOffset);
    // The frame record at a .vih offset; false when no record starts there.
    bool ReadFrameRecord(DWORD vihOffset, FrameRecord& out);
    // The record at vihOffset and its frame's header; false when either cannot be read or the
    // header's lengths disagree with each other or with the .vid.
    bool ReadFrame(DWORD vihOffset, BackupFrame& out);
    // length bytes of the .vid from offset on; bytes behind the frame data read as zero. False
    // when offset is not inside the data.
    bool ReadFrameBytes(DWORD vidOffset, BYTE* buffer, std::size_t length);

    // The first frame of a segment, walking its entries, whose time is at or after `time` (after
    // it when `after`). False when the segment has none.
    bool FindFrameFrom(const BackupSegment& segment, DWORD time, bool after, DWORD& vihOffset, DWORD& frameTime);
    // Whether any frame its entries name can be read (ReadFrame): a segment without one has no
    // picture to play.
    bool HasReadableFrame(const BackupSegment& segment);

    bool IsRecordOffset(DWORD vihOffset) const;

private:
    enum class EntryStep { Next, Found, Failed };

    bool ReadEntries(DWORD from, DWORD to, std::vector<DWORD>& out);
    // Hands the frame-record offsets of the segment's entries, in order, to `visit` until it says
    // Found (true) or Failed (false); false as well when the entries run out or cannot be read.
    bool WalkEntries(const BackupSegment& segment, const std::function<EntryStep(DWORD)>& visit);

    CFile m_idx;
    CFile m_vih;
    CFile m_vid;
    DWORD m_idxSize = 0;
    DWORD m_entriesEnd = 0;
    DWORD m_vihDataEnd = 0;
    DWORD m_vidDataEnd = 0;
};
