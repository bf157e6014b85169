#pragma once
// Writes a backup download into file sets under <save location>/Download: the socket thread queues
// each received frame block, the writer's own thread appends it to the set, keeps the set's index
// and reports progress to its owner. The writer takes every frame queued at once and writes them
// with one call per file, so that it drains a queue faster than frames arrive.
//
// A set is split into a new one, joined by a continuation stamp, when its size passes the split
// size or its index slots run out. Every file operation is checked: when one fails (a full disk),
// the backup ends, the set is closed as far as it got (index, summary and trailers written), and the
// owner is told. Set names never overwrite an existing set.
//
// While a set is written it is kept readable: with every new second of recording, and at least once
// a second of writing, the open segment's index record, the summary and each file's trailer are
// written in the layout the close gives them (the trailers just behind each file's end, where the
// next frame overwrites them). A writer that dies (a crash, a kill) leaves a set that the local
// search finds and plays up to about its last second. The frames taken together are written before
// anything in the index describes them, straight to the kernel: a dead process loses only frames
// the index did not describe yet; the files are not synced to the disk. When a write fails, the set
// goes back to the frames written whole before it and is closed there.

#include "platform/base/WinTypes.h"
#include "protocol/BackupFile.h"
#include "protocol/BackupFileSet.h"
#include "protocol/FrameQueue.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// What the writer tells its owner (the client, which forwards to the main window). Called on the
// writer's thread, except the first message, which the constructor posts.
class IDownloadWriterOwner {
public:
    virtual ~IDownloadWriterOwner() = default;
    // 0x5248 backup started (wParam total KByte), 0x5249 progress (wParam KByte written),
    // 0x524A backup ended.
    virtual void PostWriterMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // A file could not be created or written (error is an errno value); the backup has ended.
    virtual void OnDownloadFailed(int error) = 0;
};

struct DownloadWriterOptions {
    std::filesystem::path saveLocation; // the sets go to saveLocation/Download
    ULONGLONG splitSize = kDefaultSplitSize;
    DWORD maxIndexRecords = kMaxIndexRecords;
    std::size_t maxQueuedItems = 64;
    std::size_t maxQueuedBytes = 64u << 20;
    // Progress goes to the owner at most once in this time (and once more, whole, before the end):
    // ten updates a second move the bar as smoothly as one a frame, for a fraction of the messages.
    std::chrono::milliseconds progressInterval{100};
    std::function<DWORD()> clock;               // seconds since 1970 for names and stamps; time() when empty
    CBackupFile::AllocationHook allocationHook; // tests: a small disk
};

class CDownloadWriter {
public:
    static constexpr WORD kIdTransOnData = 295;
    static constexpr WORD kIdTransOnDone = 297;
    static constexpr WORD kIdTransOnFail = 298;

    // The folder the sets of a save location go to.
    static std::filesystem::path FolderOf(const std::filesystem::path& saveLocation) {
        return saveLocation / "Download";
    }

    // The owner must outlive the writer. shownSize and sizeUnit are what the backup page showed;
    // they are kept, not used.
    CDownloadWriter(IDownloadWriterOwner& owner, DWORD totalKb, DWORD shownSize, DWORD sizeUnit,
                    DownloadWriterOptions options);
    // Stops the thread (the set is closed), discards what is still queued and waits for the thread.
    ~CDownloadWriter();
    CDownloadWriter(const CDownloadWriter&) = delete;
    CDownloadWriter& operator=(const CDownloadWriter&) = delete;

    // Socket thread: queues a frame block (writer item), waiting up to wait for room while the
    // writer lags behind. False when the writer has ended or the queue stayed full.
    bool QueueFrame(std::unique_ptr<FrameItem> item, std::chrono::milliseconds wait);
    // Items queued as the writer last saw them, those it has taken and not yet written included; the
    // socket thread slows down by this.
    std::size_t GetQueueLength() const { return m_lastSeenCount.load(); }

    // Waits until the queue is drained, as long as the writer keeps
    // taking items: gives up when nothing was taken for stallLimit. True when drained.
    bool WaitDrained(std::chrono::milliseconds stallLimit);
    // Asks the thread to close the set and end.
    void Stop();
    // Waits for the thread to end.
    void Join();

    // What the backup page showed as the size, and its unit (0 KByte, 1 MByte, 2 GByte).
    DWORD GetShownSize() const { return m_shownSize; }
    DWORD GetSizeUnit() const { return m_sizeUnit; }
    bool HasEnded() const { return m_ended.load(); }
    bool HasFailed() const { return m_failed.load(); }
    int GetError() const { return m_error.load(); }
    ULONGLONG GetTotalBytes() const { return m_total.load(); }
    // The .idx paths of the sets written so far, oldest first.
    std::vector<std::filesystem::path> GetSetPaths() const;

private:
    struct Segment {
        bool active = false;
        DWORD key = 0;
        DWORD start = 0;
        DWORD lastTime = 0;
        DWORD mask = 0;
        DWORD firstEntryOffset = 0;
        DWORD frames = 0;
        BYTE attributes[4] = {};
        DWORD channelBytes[16] = {};
    };
    // What the writer keeps of the set it writes.
    struct SetState {
        ULONGLONG size = 0;
        bool splitPending = false;
        DWORD recordCount = 0;
        DWORD prevRecordOffset = kFirstRecordOffset;
        DWORD earliestStart = 0;
        DWORD latestEnd = 0;
        DWORD prevFrameTime = 0;
        Segment segment;
    };

    void Run();
    // Writes the frames taken from the queue together; false when the backup has ended.
    bool HandleBatch(const std::vector<std::unique_ptr<FrameItem>>& batch);
    bool HandleItem(const FrameItem& item);
    bool WriteFrameBlock(const FrameItem& item);
    // Room in the three files for a frame and, behind it, each file's trailer.
    int ReserveFrame(std::size_t frameLength, bool needEntry);
    int ReserveRoom(std::size_t frameLength, bool needEntry);
    int OpenSet(DWORD stamp);
    int CreateSetFiles(CBackupFile* (&files)[3], DWORD& base);
    static void RemoveFiles(CBackupFile* (&files)[3], int count);
    int WriteSetHeaders(DWORD stamp);
    int CloseSet(DWORD stamp);
    int Split();
    int WriteIndexRecord(DWORD end);
    IndexRecord SegmentRecord(DWORD end) const;
    // Writes the open segment's record, the summary counting it, and the three trailers.
    int Checkpoint();
    // Writes the frames gathered so far, before anything that describes them is written. When that
    // fails, the files and the set go back to the last frame written whole.
    int FlushAll();
    void Commit();
    void RollBack();
    void AppendEntry(DWORD vihOffset);
    void Fail(int error);
    DWORD Now() const;
    // Posts the bytes written so far, unless it was done less than the progress interval ago (or
    // nothing changed since); `final` posts whatever changed.
    void ReportProgress(bool final);

    IDownloadWriterOwner& m_owner;
    const DWORD m_totalKb;
    const DWORD m_shownSize;
    const DWORD m_sizeUnit;
    const DownloadWriterOptions m_options;
    const std::filesystem::path m_folder;

    CFrameQueue m_queue;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_error{0};
    std::atomic<ULONGLONG> m_total{0};
    std::atomic<std::size_t> m_lastSeenCount{0};

    // Writer thread only.
    CBackupFile m_idx;
    CBackupFile m_vih;
    CBackupFile m_vid;
    SetState m_set;
    // The set as last written whole, to return to when gathered frames cannot be written.
    SetState m_committedSet;
    ULONGLONG m_committedSizes[3] = {};
    ULONGLONG m_committedTotal = 0;
    // The frame records and index entries gathered since the last flush, where the files' gathered
    // writes point (a deque never moves what it holds).
    std::deque<FrameRecord> m_gatheredRecords;
    std::deque<PerSecondEntry> m_gatheredEntries;
    std::chrono::steady_clock::time_point m_lastCheckpoint{};
    std::chrono::steady_clock::time_point m_lastProgress{};
    ULONGLONG m_reportedTotal = 0;

    mutable std::mutex m_pathsLock;
    std::vector<std::filesystem::path> m_setPaths;

    std::thread m_thread;
};
