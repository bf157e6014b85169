#include "archive/BackupSet.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <limits>

namespace {

constexpr DWORD kFileHeaderSize = sizeof(DownloadFileHeader);
constexpr DWORD kFileTrailerSize = sizeof(DownloadFileTrailer);
constexpr DWORD kEntrySize = sizeof(PerSecondEntry);
constexpr std::size_t kEntryChunk = 4096;

// A file's length when it fits the 32-bit offsets the set's records use.
bool FileSize(const CFile& file, DWORD& out) {
    const LONGLONG length = file.GetLength();
    if (length < 0 || length > LONGLONG(std::numeric_limits<DWORD>::max())) {
        return false;
    }
    out = DWORD(length);
    return true;
}

template <typename Record>
bool ReadRecordAt(CFile& file, ULONGLONG offset, Record& out) {
    return file.ReadAt(offset, &out, sizeof(Record)) == LONGLONG(sizeof(Record));
}

} // namespace

std::string CBackupSet::SiblingPath(const std::string& path, const char* extension) {
    if (path.size() < 3) {
        return extension;
    }
    return path.substr(0, path.size() - 3) + extension;
}

bool CBackupSet::HasProgramTag(const char tag[16]) {
    // The tag is compared on its first five characters only, whatever the case.
    for (int i = 0; i < 5; ++i) {
        const int a = std::tolower(static_cast<unsigned char>(tag[i]));
        const int b = static_cast<unsigned char>(kFileTag[i]);
        if (a != b) {
            return false;
        }
    }
    return true;
}

bool CBackupSet::ReadStamps(const std::string& idxPath, Stamps& out) {
    CFile idx;
    DWORD size = 0;
    if (!idx.Open(idxPath.c_str(), CFile::modeRead) || !FileSize(idx, size) ||
        size < kFileHeaderSize + sizeof(IndexSummary) + kFileTrailerSize) {
        return false;
    }
    DownloadFileHeader header{};
    DownloadFileTrailer trailer{};
    IndexSummary summary{};
    if (!ReadRecordAt(idx, 0, header) || !ReadRecordAt(idx, size - kFileTrailerSize, trailer) ||
        !ReadRecordAt(idx, kIdxSummaryOffset, summary)) {
        return false;
    }
    out.header = header.stamp;
    // A set that was never closed ends in data, not a trailer: it continues in no other set.
    out.trailer = trailer.magic == kFileTrailerMagic ? DWORD(trailer.stamp) : 0;
    out.earliest = summary.earliest_start;
    return true;
}

bool CBackupSet::ReadVidTag(const std::string& vidPath, char tag[16]) {
    CFile vid;
    return vid.Open(vidPath.c_str(), CFile::modeRead) && vid.ReadExact(tag, 16);
}

bool CBackupSet::Open(const std::string& idxPath) {
    Close();
    const std::string vihPath = SiblingPath(idxPath, "vih");
    const std::string vidPath = SiblingPath(idxPath, "vid");
    DWORD vihSize = 0;
    DWORD vidSize = 0;
    if (!m_idx.Open(idxPath.c_str(), CFile::modeRead) || !m_vih.Open(vihPath.c_str(), CFile::modeRead) ||
        !m_vid.Open(vidPath.c_str(), CFile::modeRead) || !FileSize(m_idx, m_idxSize) || !FileSize(m_vih, vihSize) ||
        !FileSize(m_vid, vidSize)) {
        Close();
        return false;
    }
    DownloadFileHeader header{};
    if (m_idxSize < kIdxEntriesOffset + kFileTrailerSize || vihSize < kFileHeaderSize + kFileTrailerSize ||
        vidSize < kFileHeaderSize + kFileTrailerSize || !ReadRecordAt(m_idx, 0, header) ||
        header.magic != kFileHeaderMagic) {
        Close();
        return false;
    }
    // A partly written last entry is not an entry.
    m_entriesEnd = kIdxEntriesOffset + (m_idxSize - kFileTrailerSize - kIdxEntriesOffset) / kEntrySize * kEntrySize;
    m_vihDataEnd = vihSize - kFileTrailerSize;
    m_vidDataEnd = vidSize - kFileTrailerSize;
    return true;
}

void CBackupSet::Close() {
    m_idx.Close();
    m_vih.Close();
    m_vid.Close();
    m_idxSize = m_entriesEnd = m_vihDataEnd = m_vidDataEnd = 0;
}

bool CBackupSet::IsRecordOffset(DWORD vihOffset) const {
    return vihOffset >= kFirstRecordOffset && ULONGLONG(vihOffset) + kFrameRecordSize <= m_vihDataEnd &&
           (vihOffset - kFirstRecordOffset) % kFrameRecordSize == 0;
}

bool CBackupSet::LoadSegments(std::vector<BackupSegment>& out) {
    out.clear();
    if (!IsOpen()) {
        return false;
    }
    IndexSummary summary{};
    if (!ReadRecordAt(m_idx, kIdxSummaryOffset, summary) || summary.record_count > kMaxIndexRecords) {
        return false;
    }
    const DWORD count = summary.record_count;
    std::vector<BackupSegment> segments;
    segments.reserve(count);
    for (DWORD k = 0; k < count; ++k) {
        IndexRecord record{};
        if (!ReadRecordAt(m_idx, kIdxRecordsOffset + ULONGLONG(k) * sizeof(IndexRecord), record) ||
            record.magic != kIndexRecordMagic) {
            return false;
        }
        BackupSegment s;
        s.slot = k;
        s.start = record.start;
        s.end = record.end;
        s.channel_mask = record.channel_mask & record.channel_mask2;
        s.audio_present = BYTE(record.one & 1);
        s.event_type = record.attributes[2];
        s.first_entry = record.first_entry_offset;
        if (!ReadEntry(s.first_entry, s.first_record)) {
            return false;
        }
        if (!segments.empty()) {
            BackupSegment& previous = segments.back();
            if (s.first_entry <= previous.first_entry || s.first_record <= previous.first_record) {
                return false;
            }
            previous.entries_end = s.first_entry;
            previous.end_record = s.first_record;
        }
        segments.push_back(s);
    }
    if (!segments.empty()) {
        segments.back().entries_end = m_entriesEnd;
        segments.back().end_record = m_vihDataEnd;
    }
    out = std::move(segments);
    return true;
}

bool CBackupSet::ReadEntry(DWORD idxOffset, DWORD& vihOffset) {
    if (idxOffset < kIdxEntriesOffset || ULONGLONG(idxOffset) + kEntrySize > m_entriesEnd ||
        (idxOffset - kIdxEntriesOffset) % kEntrySize != 0) {
        return false;
    }
    PerSecondEntry entry{};
    if (!ReadRecordAt(m_idx, idxOffset, entry) || !IsRecordOffset(entry.vih_offset)) {
        return false;
    }
    vihOffset = entry.vih_offset;
    return true;
}

bool CBackupSet::ReadEntries(DWORD from, DWORD to, std::vector<DWORD>& out) {
    out.clear();
    if (from > to || to > m_entriesEnd) {
        return false;
    }
    std::vector<PerSecondEntry> entries((to - from) / kEntrySize);
    if (entries.empty()) {
        return true;
    }
    const std::size_t bytes = entries.size() * kEntrySize;
    if (m_idx.ReadAt(from, entries.data(), UINT(bytes)) != LONGLONG(bytes)) {
        return false;
    }
    out.reserve(entries.size());
    for (const PerSecondEntry& e : entries) {
        out.push_back(e.vih_offset);
    }
    return true;
}

bool CBackupSet::ReadFrameRecord(DWORD vihOffset, FrameRecord& out) {
    return IsRecordOffset(vihOffset) && ReadRecordAt(m_vih, vihOffset, out);
}

bool CBackupSet::ReadFrame(DWORD vihOffset, BackupFrame& out) {
    if (!ReadFrameRecord(vihOffset, out.record)) {
        return false;
    }
    const DWORD vidOffset = out.record.vid_offset;
    if (vidOffset < kFileHeaderSize || ULONGLONG(vidOffset) + kFrameHeaderSize > m_vidDataEnd ||
        !ReadRecordAt(m_vid, vidOffset, out.header) || out.header.sync != kFrameSyncWord) {
        return false;
    }
    out.info = FrameInfo{};
    ParseFrameHeader(out.header, out.info);
    const ULONGLONG expected = ULONGLONG(kFrameHeaderSize) + out.info.video_size + out.info.audio_value;
    return out.info.frame_length == expected && vidOffset + expected <= m_vidDataEnd;
}

bool CBackupSet::ReadFrameBytes(DWORD vidOffset, BYTE* buffer, std::size_t length) {
    if (vidOffset < kFileHeaderSize || vidOffset >= m_vidDataEnd || length > std::numeric_limits<UINT>::max()) {
        return false;
    }
    const std::size_t available = std::min<std::size_t>(length, m_vidDataEnd - vidOffset);
    if (m_vid.ReadAt(vidOffset, buffer, UINT(available)) != LONGLONG(available)) {
        return false;
    }
    std::memset(buffer + available, 0, length - available);
    return true;
}

bool CBackupSet::WalkEntries(const BackupSegment& segment, const std::function<EntryStep(DWORD)>& visit) {
    std::vector<DWORD> offsets;
    for (DWORD at = segment.first_entry; at < segment.entries_end;) {
        const DWORD chunkEnd =
            DWORD(std::min<ULONGLONG>(segment.entries_end, at + ULONGLONG(kEntryChunk) * kEntrySize));
        if (!ReadEntries(at, chunkEnd, offsets)) {
            return false;
        }
        for (DWORD offset : offsets) {
            switch (visit(offset)) {
            case EntryStep::Next:
                break;
            case EntryStep::Found:
                return true;
            case EntryStep::Failed:
                return false;
            }
        }
        at = chunkEnd;
    }
    return false;
}

bool CBackupSet::FindFrameFrom(const BackupSegment& segment, DWORD time, bool after, DWORD& vihOffset,
                               DWORD& frameTime) {
    return WalkEntries(segment, [&](DWORD offset) {
        FrameRecord record{};
        if (offset < segment.first_record || offset >= segment.end_record || !ReadFrameRecord(offset, record)) {
            return EntryStep::Failed;
        }
        const DWORD t = record.frame_time;
        if (after ? t > time : t >= time) {
            vihOffset = offset;
            frameTime = t;
            return EntryStep::Found;
        }
        return EntryStep::Next;
    });
}

bool CBackupSet::HasReadableFrame(const BackupSegment& segment) {
    return WalkEntries(segment, [&](DWORD offset) {
        BackupFrame frame;
        const bool readable = offset >= segment.first_record && offset < segment.end_record && ReadFrame(offset, frame);
        return readable ? EntryStep::Found : EntryStep::Next;
    });
}
