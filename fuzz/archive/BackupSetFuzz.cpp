// Arbitrary bytes as a downloaded backup file set (.idx, .vih, .vid) read back by the recordings
// scan and the player's reads, and as a recorder log reply and a local log file. The set's files are
// assembled from the input at their fixed places, so that short inputs reach the records behind
// the .idx's 256 KB of index slots.
#include "archive/BackupSet.h"
#include "archive/LocalLogImage.h"
#include "archive/RecordingScan.h"
#include "archive/RemoteLogEntry.h"
#include "archive/RemoteLogText.h"
#include "protocol/BackupFileSet.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/kelo-fuzz-archive-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        std::string f = std::string(made ? made : "/tmp") + "/Download/";
        ::mkdir(f.c_str(), 0700);
        return f;
    }();
    return folder;
}

// Takes the input piece by piece; what is missing reads as zero.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    void Take(std::vector<BYTE>& out, size_t at, size_t length) {
        if (out.size() < at + length) {
            out.resize(at + length, 0);
        }
        const size_t n = std::min(length, m_size - m_used);
        std::memcpy(out.data() + at, m_data + m_used, n);
        m_used += n;
    }
    uint32_t Word() {
        std::vector<BYTE> w(4);
        Take(w, 0, 4);
        return uint32_t(w[0]) | (uint32_t(w[1]) << 8) | (uint32_t(w[2]) << 16) | (uint32_t(w[3]) << 24);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_used = 0;
};

void Write(const std::string& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A file header the readers accept unless the input asks to damage it.
void Header(std::vector<BYTE>& file, size_t at, bool valid, Input& in) {
    in.Take(file, at, 64);
    if (valid) {
        std::memcpy(file.data() + at, "kelo1040\0\0\0\0\0\0\0\0", 16);
        const uint32_t magic = kFileHeaderMagic;
        std::memcpy(file.data() + at + 16, &magic, 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    // The same bytes as a recorder log reply and as a local log file.
    (void)LoadRemoteLogReply(std::span<const BYTE>(data, size));
    for (const LocalLogRecord& record : LoadLocalLogImage(std::span<const BYTE>(data, size))) {
        (void)FormatLocalLogRow(record, 1, 0, [](UINT) { return CString(); });
    }

    Input in(data, size);
    const uint32_t shape = in.Word();
    const bool valid = (shape & 1) != 0;
    const size_t records = (shape >> 1) & 7;
    const size_t entries = (shape >> 4) & 63;
    const size_t frames = (shape >> 10) & 63;
    const size_t vidBytes = (shape >> 16) & 0x3FFF;

    std::vector<BYTE> idx;
    Header(idx, 0, valid, in);
    in.Take(idx, kIdxSummaryOffset, sizeof(IndexSummary));
    in.Take(idx, kIdxRecordsOffset, records * sizeof(IndexRecord));
    idx.resize(kIdxEntriesOffset, 0);
    in.Take(idx, kIdxEntriesOffset, entries * sizeof(PerSecondEntry));
    in.Take(idx, idx.size(), 64);

    std::vector<BYTE> vih;
    Header(vih, 0, valid, in);
    in.Take(vih, 64, frames * kFrameRecordSize);
    in.Take(vih, vih.size(), 64);

    std::vector<BYTE> vid;
    Header(vid, 0, valid, in);
    in.Take(vid, 64, vidBytes);
    in.Take(vid, vid.size(), 64);

    const std::string base = Folder() + "set.";
    Write(base + "idx", idx);
    Write(base + "vih", vih);
    Write(base + "vid", vid);

    const DWORD t1 = in.Word();
    const DWORD t2 = in.Word();
    const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(Folder());
    for (LocalSearchKind kind : {LocalSearchKind::Time, LocalSearchKind::Range}) {
        CRecordingScan scan;
        (void)CRecordingScan::FindStartNode(scan.BuildPlayList(sets, kind, t1, t2), t1);
    }

    // What the player reads of every segment: its frames one by one, and a seek.
    CBackupSet set;
    std::vector<BackupSegment> segments;
    if (!set.Open(base + "idx") || !set.LoadSegments(segments)) {
        return 0;
    }
    std::vector<BYTE> buffer(64 * 1024);
    for (const BackupSegment& segment : segments) {
        DWORD offset = 0;
        DWORD time = 0;
        (void)set.FindFrameFrom(segment, t1, false, offset, time);
        int read = 0;
        for (DWORD at = segment.first_record; at < segment.end_record && read < 64; at += kFrameRecordSize, ++read) {
            BackupFrame frame;
            if (set.ReadFrame(at, frame) && frame.info.frame_length <= buffer.size()) {
                (void)set.ReadFrameBytes(frame.record.vid_offset, buffer.data(), frame.info.frame_length);
            }
        }
    }
    return 0;
}
