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
    std::vector<std::unique_ptr<FrameItem>> batch;
    while (!m_failed.load() && !m_stop.load()) {
        m_queue.ResetEvent();
        batch.clear();
        m_queue.TakeAll(batch);
        // Frames taken and not yet written still count as queued, as when they were taken one at a
        // time: the socket thread slows down by the same length.
        m_lastSeenCount = m_queue.GetCount() + (batch.empty() ? 0 : batch.size() - 1);
        if (batch.empty()) {
            m_queue.WaitEvent(std::chrono::milliseconds(100));
            continue;
        }
        if (!HandleBatch(batch)) {
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

bool CDownloadWriter::HandleBatch(const std::vector<std::unique_ptr<FrameItem>>& batch) {
    bool goOn = true;
    for (std::size_t i = 0; i < batch.size() && goOn; ++i) {
        goOn = HandleItem(*batch[i]);
    }
    if (m_failed.load()) {
        return false;
    }
    const int error = FlushAll();
    if (error != 0) {
        Fail(error);
        return false;
    }
    return goOn;
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
    bool newSegment = !m_set.segment.active || record.segment_key != m_set.segment.key;
    int error = 0;
    if (m_set.splitPending ||
        (m_set.segment.active && newSegment && m_set.recordCount + 1 >= m_options.maxIndexRecords)) {
        if ((error = Split()) != 0) {
            Fail(error);
            return false;
        }
        newSegment = true;
    }
    const bool needEntry = newSegment || time != m_set.prevFrameTime;
    const std::size_t frameLength = blockLength - kFrameRecordSize;
    // Room for the frame and, behind it, for each file's trailer, before anything changes.
    if ((error = ReserveFrame(frameLength, needEntry)) != 0) {
        Fail(error);
        return false;
    }
    if (newSegment) {
        if (m_set.segment.active && m_set.segment.frames > 0 &&
            ((error = FlushAll()) != 0 || (error = WriteIndexRecord(time)) != 0)) {
            Fail(error);
            return false;
        }
        m_set.segment = Segment{};
        m_set.segment.active = true;
        m_set.segment.key = record.segment_key;
        m_set.segment.start = time;
        m_set.segment.firstEntryOffset = DWORD(m_idx.Size());
        std::memcpy(m_set.segment.attributes, record.segment_attributes, sizeof(m_set.segment.attributes));
    }

    const ULONGLONG recordOffset = m_vih.Size();
    const ULONGLONG vidOffset = m_vid.Size();
    record.prev_record_offset = m_set.prevRecordOffset;
    record.vid_offset = DWORD(vidOffset);
    m_gatheredRecords.push_back(record);
    m_vih.AppendLater(&m_gatheredRecords.back(), sizeof(record));
    m_vid.AppendLater(item.data.data() + kFrameRecordSize, frameLength);
    if (needEntry) {
        AppendEntry(DWORD(recordOffset));
    }

    m_set.prevRecordOffset = DWORD(recordOffset);
    m_set.prevFrameTime = time;
    m_set.segment.mask |= DWORD(1) << d.channel;
    m_set.segment.channelBytes[d.channel] += DWORD(frameLength);
    m_set.segment.lastTime = time;
    ++m_set.segment.frames;
    m_set.size += blockLength;
    m_total += blockLength;
    const auto now = std::chrono::steady_clock::now();
    if (needEntry || now - m_lastCheckpoint >= kCheckpointInterval) {
        if ((error = FlushAll()) != 0 || (error = Checkpoint()) != 0) {
            Fail(error);
            return false;
        }
        m_lastCheckpoint = now;
    }
    ReportProgress(false);
    // The next frame goes to a new set; a set ends with a frame, never empty.
    if (m_set.size > m_options.splitSize) {
        m_set.splitPending = true;
    }
    return true;
}

int CDownloadWriter::ReserveFrame(std::size_t frameLength, bool needEntry) {
    int error = ReserveRoom(frameLength, needEntry);
    if (error != ENOSPC) {
        return error;
    }
    // The room the files took ahead goes to this frame before a full disk ends the backup.
    for (CBackupFile* file : {&m_idx, &m_vih, &m_vid}) {
        if ((error = file->GiveBackRoom(kTrailerSize)) != 0) {
            return error;
        }
    }
    return ReserveRoom(frameLength, needEntry);
}

int CDownloadWriter::ReserveRoom(std::size_t frameLength, bool needEntry) {
    int error = m_vih.Reserve(kFrameRecordSize + kTrailerSize);
    if (error == 0) {
        error = m_vid.Reserve(frameLength + kTrailerSize);
    }
    if (error == 0) {
        error = m_idx.Reserve((needEntry ? sizeof(PerSecondEntry) : 0) + kTrailerSize);
    }
    return error;
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
    m_set = SetState{};

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
    Commit();
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
    Commit();
    std::lock_guard lock(m_pathsLock);
    m_setPaths.push_back(m_idx.Path());
    return 0;
}

IndexRecord CDownloadWriter::SegmentRecord(DWORD end) const {
    IndexRecord record = MakeIndexRecord();
    record.start = m_set.segment.start;
    record.end = end;
    record.first_entry_offset = m_set.segment.firstEntryOffset;
    record.channel_mask = m_set.segment.mask;
    record.channel_mask2 = m_set.segment.mask;
    std::memcpy(record.attributes, m_set.segment.attributes, sizeof(record.attributes));
    for (int ch = 0; ch < 16; ++ch) {
        record.channel_bytes[ch] = m_set.segment.channelBytes[ch];
    }
    return record;
}

int CDownloadWriter::Checkpoint() {
    DWORD count = m_set.recordCount;
    DWORD earliest = m_set.earliestStart;
    DWORD latest = m_set.latestEnd;
    if (m_set.segment.active && m_set.segment.frames > 0 && m_set.recordCount < kMaxIndexRecords) {
        const IndexRecord record = SegmentRecord(m_set.segment.lastTime);
        const int error =
            m_idx.WriteAt(kIdxRecordsOffset + ULONGLONG(m_set.recordCount) * sizeof(record), &record, sizeof(record));
        if (error != 0) {
            return error;
        }
        earliest = count == 0 ? m_set.segment.start : std::min(earliest, m_set.segment.start);
        latest = count == 0 ? m_set.segment.lastTime : std::max(latest, m_set.segment.lastTime);
        ++count;
    }
    const IndexSummary summary = MakeIndexSummary(earliest, latest, count);
    const DownloadFileTrailer dataTrailer = MakeFileTrailer(0, m_set.prevRecordOffset);
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
    if (m_set.recordCount >= kMaxIndexRecords) {
        return ENOSPC;
    }
    const IndexRecord record = SegmentRecord(end);
    const int error =
        m_idx.WriteAt(kIdxRecordsOffset + ULONGLONG(m_set.recordCount) * sizeof(record), &record, sizeof(record));
    if (error != 0) {
        return error;
    }
    if (m_set.recordCount == 0 || m_set.segment.start < m_set.earliestStart) {
        m_set.earliestStart = m_set.segment.start;
    }
    if (m_set.recordCount == 0 || end > m_set.latestEnd) {
        m_set.latestEnd = end;
    }
    ++m_set.recordCount;
    return 0;
}

void CDownloadWriter::AppendEntry(DWORD vihOffset) {
    PerSecondEntry entry{};
    entry.vih_offset = vihOffset;
    m_gatheredEntries.push_back(entry);
    m_idx.AppendLater(&m_gatheredEntries.back(), sizeof(entry));
}

int CDownloadWriter::FlushAll() {
    // The frames before their records, the records before the index that points at them.
    int error = m_vid.Flush();
    if (error == 0) {
        error = m_vih.Flush();
    }
    if (error == 0) {
        error = m_idx.Flush();
    }
    if (error != 0) {
        RollBack();
    } else {
        Commit();
    }
    m_gatheredRecords.clear();
    m_gatheredEntries.clear();
    return error;
}

void CDownloadWriter::Commit() {
    m_committedSet = m_set;
    m_committedSizes[0] = m_idx.Size();
    m_committedSizes[1] = m_vih.Size();
    m_committedSizes[2] = m_vid.Size();
    m_committedTotal = m_total.load();
}

void CDownloadWriter::RollBack() {
    m_idx.Truncate(m_committedSizes[0]);
    m_vih.Truncate(m_committedSizes[1]);
    m_vid.Truncate(m_committedSizes[2]);
    m_set = m_committedSet;
    m_total = m_committedTotal;
}

int CDownloadWriter::CloseSet(DWORD stamp) {
    int first = FlushAll();
    auto keep = [&first](int error) {
        if (first == 0) {
            first = error;
        }
    };
    if (m_set.segment.active && m_set.segment.frames > 0) {
        keep(WriteIndexRecord(m_set.segment.lastTime));
    }
    m_set.segment = Segment{};
    const DownloadFileTrailer dataTrailer = MakeFileTrailer(0, m_set.prevRecordOffset);
    keep(m_vih.Append(&dataTrailer, sizeof(dataTrailer)));
    keep(m_vid.Append(&dataTrailer, sizeof(dataTrailer)));
    const IndexSummary summary = MakeIndexSummary(m_set.earliestStart, m_set.latestEnd, m_set.recordCount);
    keep(m_idx.WriteAt(kIdxSummaryOffset, &summary, sizeof(summary)));
    const DownloadFileTrailer indexTrailer = MakeFileTrailer(stamp, 0);
    keep(m_idx.Append(&indexTrailer, sizeof(indexTrailer)));
    keep(m_idx.Close());
    keep(m_vih.Close());
    keep(m_vid.Close());
    m_set.recordCount = 0;
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
