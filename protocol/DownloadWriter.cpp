#include "protocol/DownloadWriter.h"

#include "protocol/ClientMessages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <system_error>

namespace {

constexpr const char* kExtensions[3] = {"idx", "vih", "vid"};
constexpr std::size_t kTrailerSize = sizeof(DownloadFileTrailer);
constexpr std::size_t kBlockOverhead = kFrameRecordSize + kFrameHeaderSize;
// .vih and .vid offsets are 32-bit: a set never grows near 4 GB.
constexpr ULONGLONG kLargestSplitSize = 0xC0000000;
constexpr int kMaxNameAttempts = 100000;
// The longest a set in progress goes without its index describing what was written.
constexpr std::chrono::seconds kCheckpointInterval{1};

DownloadWriterOptions Normalised(DownloadWriterOptions options) {
    options.splitSize = std::clamp<ULONGLONG>(options.splitSize, 1, kLargestSplitSize);
    options.maxIndexRecords = std::clamp<DWORD>(options.maxIndexRecords, 1, kMaxIndexRecords);
    return options;
}

} // namespace

CDownloadWriter::CDownloadWriter(IDownloadWriterOwner& owner, DWORD totalKb, DWORD shownSize, DWORD sizeUnit,
                                 DownloadWriterOptions options)
    : m_owner(owner), m_totalKb(totalKb), m_shownSize(shownSize), m_sizeUnit(sizeUnit),
      m_options(Normalised(std::move(options))), m_folder(FolderOf(m_options.saveLocation)),
      m_queue(m_options.maxQueuedItems, m_options.maxQueuedBytes), m_idx(&m_options.allocationHook),
      m_vih(&m_options.allocationHook), m_vid(&m_options.allocationHook) {
    m_owner.PostWriterMessage(WM_KELO_BACKUP_CREATE, m_totalKb, 0);
    m_thread = std::thread([this] { Run(); });
}

CDownloadWriter::~CDownloadWriter() {
    Stop();
    m_queue.SetRefuse(true);
    Join();
    m_queue.Clear();
}

bool CDownloadWriter::QueueFrame(std::unique_ptr<FrameItem> item, std::chrono::milliseconds wait) {
    if (m_ended.load() || m_failed.load() || m_stop.load()) {
        return false;
    }
    return m_queue.AddWait(item, wait);
}

bool CDownloadWriter::WaitDrained(std::chrono::milliseconds stallLimit) {
    std::size_t count = m_queue.GetCount();
    while (count > 0 && !m_ended.load()) {
        if (!m_queue.WaitCountAtMost(count - 1, stallLimit)) {
            return false;
        }
        count = m_queue.GetCount();
    }
    return count == 0;
}

void CDownloadWriter::Stop() {
    m_stop = true;
    m_queue.SetEvent();
}

void CDownloadWriter::Join() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) {
        m_thread.join();
    }
}

std::vector<std::filesystem::path> CDownloadWriter::GetSetPaths() const {
    std::lock_guard lock(m_pathsLock);
    return m_setPaths;
}

DWORD CDownloadWriter::Now() const {
    return m_options.clock ? m_options.clock() : DWORD(std::time(nullptr));
}

void CDownloadWriter::Run() {
    int error = OpenSet(0);
    if (error != 0) {
        Fail(error);
    }
    while (!m_failed.load() && !m_stop.load()) {
        m_queue.ResetEvent();
        std::unique_ptr<FrameItem> item = m_queue.Take();
        m_lastSeenCount = m_queue.GetCount();
        if (!item) {
            m_queue.WaitEvent(std::chrono::milliseconds(100));
            continue;
        }
        if (!HandleItem(*item)) {
            break;
        }
    }
    if (!m_failed.load() && m_idx.IsOpen()) {
        error = CloseSet(0);
        if (error != 0) {
            Fail(error);
        }
    }
    ReportProgress(true);
    m_owner.PostWriterMessage(WM_KELO_BACKUP_CLOSE, 0, 0);
    m_ended = true;
}

bool CDownloadWriter::HandleItem(const FrameItem& item) {
    const DWORD id = item.MessageId();
    if (id == kIdTransOnDone || id == kIdTransOnFail) {
        return false;
    }
    if (id != kIdTransOnData) {
        return true;
    }
    return WriteFrameBlock(item);
}

bool CDownloadWriter::WriteFrameBlock(const FrameItem& item) {
    const FrameDescriptor& d = item.descriptor;
    const std::size_t blockLength = std::size_t(d.video_size) + d.audio_value + kBlockOverhead;
    if (item.data.size() != blockLength || d.channel >= 16) {
        return true; // not a block this writer can store; the client checks blocks before queueing
    }
    FrameRecord record;
    std::memcpy(&record, item.data.data(), sizeof(record));
    const DWORD time = d.frame_time;
    bool newSegment = !m_segment.active || record.segment_key != m_segment.key;
    int error = 0;
    if (m_splitPending || (m_segment.active && newSegment && m_recordCount + 1 >= m_options.maxIndexRecords)) {
        if ((error = Split()) != 0) {
            Fail(error);
            return false;
        }
        newSegment = true;
    }
    const bool needEntry = newSegment || time != m_prevFrameTime;
    const std::size_t frameLength = blockLength - kFrameRecordSize;
    // Room for the frame and, behind it, for each file's trailer, before anything changes.
    if ((error = m_vih.Reserve(kFrameRecordSize + kTrailerSize)) != 0 ||
        (error = m_vid.Reserve(frameLength + kTrailerSize)) != 0 ||
        (error = m_idx.Reserve((needEntry ? sizeof(PerSecondEntry) : 0) + kTrailerSize)) != 0) {
        Fail(error);
        return false;
    }
    if (newSegment) {
        if (m_segment.active && m_segment.frames > 0 && (error = WriteIndexRecord(time)) != 0) {
            Fail(error);
            return false;
        }
        m_segment = Segment{};
        m_segment.active = true;
        m_segment.key = record.segment_key;
        m_segment.start = time;
        m_segment.firstEntryOffset = DWORD(m_idx.Size());
        std::memcpy(m_segment.attributes, record.segment_attributes, sizeof(m_segment.attributes));
    }

    const ULONGLONG recordOffset = m_vih.Size();
    const ULONGLONG vidOffset = m_vid.Size();
    record.prev_record_offset = m_prevRecordOffset;
    record.vid_offset = DWORD(vidOffset);
    error = m_vih.Append(&record, sizeof(record));
    if (error == 0) {
        error = m_vid.Append(item.data.data() + kFrameRecordSize, frameLength);
    }
    if (error == 0 && needEntry) {
        error = AppendEntry(DWORD(recordOffset));
    }
    if (error != 0) {
        // Leave the set as it was before this frame.
        m_vih.Truncate(recordOffset);
        m_vid.Truncate(vidOffset);
        Fail(error);
        return false;
    }

    m_prevRecordOffset = DWORD(recordOffset);
    m_prevFrameTime = time;
    m_segment.mask |= DWORD(1) << d.channel;
    m_segment.channelBytes[d.channel] += DWORD(frameLength);
    m_segment.lastTime = time;
    ++m_segment.frames;
    m_setSize += blockLength;
    m_total += blockLength;
    const auto now = std::chrono::steady_clock::now();
    if (needEntry || now - m_lastCheckpoint >= kCheckpointInterval) {
        if ((error = Checkpoint()) != 0) {
            Fail(error);
            return false;
        }
        m_lastCheckpoint = now;
    }
    ReportProgress(false);
    // The next frame goes to a new set; a set ends with a frame, never empty.
    if (m_setSize > m_options.splitSize) {
        m_splitPending = true;
    }
    return true;
}

void CDownloadWriter::ReportProgress(bool final) {
    const ULONGLONG total = m_total.load();
    if (total == m_reportedTotal) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!final && m_reportedTotal != 0 && now - m_lastProgress < m_options.progressInterval) {
        return;
    }
    m_lastProgress = now;
    m_reportedTotal = total;
    m_owner.PostWriterMessage(WM_KELO_BACKUP_PROGRESS, WPARAM(DWORD(total >> 10)), 0);
}

int CDownloadWriter::CreateSetFiles(CBackupFile* (&files)[3], DWORD& base) {
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec) {
        return ec.value();
    }
    DWORD candidate = Now();
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt, ++candidate) {
        int error = 0;
        int created = 0;
        for (; created < 3; ++created) {
            error = files[created]->CreateNew(BackupSetPath(m_folder, candidate, kExtensions[created]));
            if (error != 0) {
                break;
            }
        }
        if (error == 0) {
            base = candidate;
            return 0;
        }
        RemoveFiles(files, created);
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

void CDownloadWriter::RemoveFiles(CBackupFile* (&files)[3], int count) {
    std::error_code ec;
    for (int i = 0; i < count; ++i) {
        if (files[i]->IsOpen()) {
            files[i]->Close();
            std::filesystem::remove(files[i]->Path(), ec);
        }
    }
}

int CDownloadWriter::WriteSetHeaders(DWORD stamp) {
    m_setSize = 0;
    m_splitPending = false;
    m_recordCount = 0;
    m_prevRecordOffset = kFirstRecordOffset;
    m_earliestStart = 0;
    m_latestEnd = 0;
    m_segment = Segment{};

    const DownloadFileHeader header = MakeFileHeader(stamp);
    const std::vector<BYTE> index(kIdxEntriesOffset - sizeof(header), 0);
    int error = 0;
    for (CBackupFile* file : {&m_idx, &m_vih, &m_vid}) {
        const std::size_t body = file == &m_idx ? index.size() : 0;
        if ((error = file->Reserve(sizeof(header) + body + kTrailerSize)) != 0 ||
            (error = file->Append(&header, sizeof(header))) != 0) {
            return error;
        }
    }
    return m_idx.Append(index.data(), index.size());
}

int CDownloadWriter::OpenSet(DWORD stamp) {
    CBackupFile* files[3] = {&m_idx, &m_vih, &m_vid};
    DWORD base = 0;
    int error = CreateSetFiles(files, base);
    if (error == 0) {
        error = WriteSetHeaders(stamp);
    }
    if (error != 0) {
        RemoveFiles(files, 3);
        return error;
    }
    std::lock_guard lock(m_pathsLock);
    m_setPaths.push_back(m_idx.Path());
    return 0;
}

int CDownloadWriter::Split() {
    CBackupFile next[3] = {CBackupFile(&m_options.allocationHook), CBackupFile(&m_options.allocationHook),
                           CBackupFile(&m_options.allocationHook)};
    CBackupFile* nextFiles[3] = {&next[0], &next[1], &next[2]};
    DWORD base = 0;
    int error = CreateSetFiles(nextFiles, base);
    // The new set's name is unique in the folder, so its time value serves as the stamp that joins
    // the two sets.
    const DWORD stamp = error == 0 ? base : 0;
    const int closeError = CloseSet(stamp);
    if (error == 0 && closeError != 0) {
        RemoveFiles(nextFiles, 3);
        error = closeError;
    }
    if (error != 0) {
        return error;
    }
    m_idx = std::move(next[0]);
    m_vih = std::move(next[1]);
    m_vid = std::move(next[2]);
    CBackupFile* files[3] = {&m_idx, &m_vih, &m_vid};
    if ((error = WriteSetHeaders(stamp)) != 0) {
        RemoveFiles(files, 3);
        return error;
    }
    std::lock_guard lock(m_pathsLock);
    m_setPaths.push_back(m_idx.Path());
    return 0;
}

IndexRecord CDownloadWriter::SegmentRecord(DWORD end) const {
    IndexRecord record = MakeIndexRecord();
    record.start = m_segment.start;
    record.end = end;
    record.first_entry_offset = m_segment.firstEntryOffset;
    record.channel_mask = m_segment.mask;
    record.channel_mask2 = m_segment.mask;
    std::memcpy(record.attributes, m_segment.attributes, sizeof(record.attributes));
    for (int ch = 0; ch < 16; ++ch) {
        record.channel_bytes[ch] = m_segment.channelBytes[ch];
    }
    return record;
}

int CDownloadWriter::Checkpoint() {
    DWORD count = m_recordCount;
    DWORD earliest = m_earliestStart;
    DWORD latest = m_latestEnd;
    if (m_segment.active && m_segment.frames > 0 && m_recordCount < kMaxIndexRecords) {
        const IndexRecord record = SegmentRecord(m_segment.lastTime);
        const int error =
            m_idx.WriteAt(kIdxRecordsOffset + ULONGLONG(m_recordCount) * sizeof(record), &record, sizeof(record));
        if (error != 0) {
            return error;
        }
        earliest = count == 0 ? m_segment.start : std::min(earliest, m_segment.start);
        latest = count == 0 ? m_segment.lastTime : std::max(latest, m_segment.lastTime);
        ++count;
    }
    const IndexSummary summary = MakeIndexSummary(earliest, latest, count);
    const DownloadFileTrailer dataTrailer = MakeFileTrailer(0, m_prevRecordOffset);
    const DownloadFileTrailer indexTrailer = MakeFileTrailer(0, 0);
    int error = m_idx.WriteAt(kIdxSummaryOffset, &summary, sizeof(summary));
    if (error == 0) {
        error = m_vih.WriteBehindEnd(&dataTrailer, sizeof(dataTrailer));
    }
    if (error == 0) {
        error = m_vid.WriteBehindEnd(&dataTrailer, sizeof(dataTrailer));
    }
    if (error == 0) {
        error = m_idx.WriteBehindEnd(&indexTrailer, sizeof(indexTrailer));
    }
    return error;
}

int CDownloadWriter::WriteIndexRecord(DWORD end) {
    if (m_recordCount >= kMaxIndexRecords) {
        return ENOSPC;
    }
    const IndexRecord record = SegmentRecord(end);
    const int error =
        m_idx.WriteAt(kIdxRecordsOffset + ULONGLONG(m_recordCount) * sizeof(record), &record, sizeof(record));
    if (error != 0) {
        return error;
    }
    if (m_recordCount == 0 || m_segment.start < m_earliestStart) {
        m_earliestStart = m_segment.start;
    }
    if (m_recordCount == 0 || end > m_latestEnd) {
        m_latestEnd = end;
    }
    ++m_recordCount;
    return 0;
}

int CDownloadWriter::AppendEntry(DWORD vihOffset) {
    PerSecondEntry entry{};
    entry.vih_offset = vihOffset;
    return m_idx.Append(&entry, sizeof(entry));
}

int CDownloadWriter::CloseSet(DWORD stamp) {
    int first = 0;
    auto keep = [&first](int error) {
        if (first == 0) {
            first = error;
        }
    };
    if (m_segment.active && m_segment.frames > 0) {
        keep(WriteIndexRecord(m_segment.lastTime));
    }
    m_segment = Segment{};
    const DownloadFileTrailer dataTrailer = MakeFileTrailer(0, m_prevRecordOffset);
    keep(m_vih.Append(&dataTrailer, sizeof(dataTrailer)));
    keep(m_vid.Append(&dataTrailer, sizeof(dataTrailer)));
    const IndexSummary summary = MakeIndexSummary(m_earliestStart, m_latestEnd, m_recordCount);
    keep(m_idx.WriteAt(kIdxSummaryOffset, &summary, sizeof(summary)));
    const DownloadFileTrailer indexTrailer = MakeFileTrailer(stamp, 0);
    keep(m_idx.Append(&indexTrailer, sizeof(indexTrailer)));
    keep(m_idx.Close());
    keep(m_vih.Close());
    keep(m_vid.Close());
    m_recordCount = 0;
    return first;
}

void CDownloadWriter::Fail(int error) {
    m_error = error != 0 ? error : EIO;
    m_failed = true;
    m_queue.SetRefuse(true);
    m_queue.Clear();
    if (m_idx.IsOpen()) {
        CloseSet(0);
    }
    m_owner.OnDownloadFailed(m_error.load());
}
