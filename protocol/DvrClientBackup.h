#pragma once
// Backup download: the size query's answers, the frame blocks handed to the download writer, and the
// end of a backup, which always leaves the file set closed.
// Threads: the UI thread (the archive) creates the writer and stops a backup; the socket thread
// hands it the frames; the writer's own thread reports a failure. The writer is shared under
// m_writerLock, the options under m_optionsLock, the flags are atomic.

#include "platform/base/WinTypes.h"
#include "protocol/DownloadWriter.h"
#include "protocol/FrameHeader.h"
#include "protocol/ReassemblyArea.h"
#include "protocol/RecvMessage.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>

class CDvrClient;

class CDvrClientBackup {
public:
    explicit CDvrClientBackup(CDvrClient& client) : m_client(client), m_writerOwner(*this) {}
    CDvrClientBackup(const CDvrClientBackup&) = delete;
    CDvrClientBackup& operator=(const CDvrClientBackup&) = delete;
    friend struct DvrClientTestPeer;

    // The archive's backup start: the writer for a download of totalKb, before TRANS_DATA_REQ.
    // False while a backup runs.
    bool CreateDownloadWriter(DWORD totalKb, DWORD shownSize, DWORD sizeUnit);
    bool HasDownloadWriter() const;
    // The archive's backup start marks the backup running before TRANS_DATA_REQ goes out.
    void MarkBackupRunning() { m_bBackup.store(1); }
    bool IsBackup() const { return m_bBackup.load() != 0; }
    void SendTransOff();
    // The two sizes (MByte) of a TRANS_ON_NACK for lack of space; the notice clears them.
    DWORD GetSpaceNackSize(int which) const { return which == 0 ? m_spaceNack[0].load() : m_spaceNack[1].load(); }
    void ClearSpaceNackSizes();
    // Where backups go, published by the main window; the writer's settings (tests: a small split
    // size, a small disk).
    void SetSaveLocation(const std::filesystem::path& location);
    void SetDownloadOptions(const DownloadWriterOptions& options);

    // ---- Handlers (socket thread)
    bool RecvFn_TransOnAck(const RecvMessage& m);
    bool RecvFn_TransOnNack(const RecvMessage& m);
    bool RecvFn_TransOffAck(const RecvMessage& m);
    bool RecvFn_TransOffNack(const RecvMessage& m);
    bool RecvFn_TransOnData(const RecvMessage& m);
    bool RecvFn_TransOnDone(const RecvMessage& m);
    bool RecvFn_TransOnFail(const RecvMessage& m);

private:
    class WriterOwner final : public IDownloadWriterOwner {
    public:
        explicit WriterOwner(CDvrClientBackup& backup) : m_backup(backup) {}
        void PostWriterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
        void OnDownloadFailed(int error) override;

    private:
        CDvrClientBackup& m_backup;
    };

    std::shared_ptr<CDownloadWriter> GetWriter() const;
    // Releases a writer whose thread has ended (after a failure).
    void ReleaseEndedWriter();

    CDvrClient& m_client;
    WriterOwner m_writerOwner;
    std::atomic<BYTE> m_bBackup{0};
    // Socket thread: the frame being gathered.
    CReassemblyArea m_backupArea{kFrameAreaSize};
    std::atomic<bool> m_backupResetPending{false};
    mutable std::mutex m_optionsLock;
    DownloadWriterOptions m_downloadOptions;
    mutable std::mutex m_writerLock;
    std::shared_ptr<CDownloadWriter> m_writer;
    std::atomic<bool> m_writerFailed{false};
    std::atomic<DWORD> m_spaceNack[2] = {0, 0};
};
