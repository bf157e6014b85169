// Backup download: the size query's answers, the frame blocks handed to the download writer, and the
// end of a backup, which always leaves the file set closed.
#include "protocol/DvrClientBackup.h"

#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameItem.h"
#include "protocol/FrameRecord.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <cerrno>

namespace {

constexpr std::chrono::milliseconds kQueueSlice{500};

} // namespace

void CDvrClientBackup::WriterOwner::PostWriterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    m_backup.m_client.Host().PostToWindow(ClientWindow::MainWindow, message, wParam, lParam);
}

void CDvrClientBackup::WriterOwner::OnDownloadFailed(int error) {
    // The set is closed by now. The recorder is told to stop at once; the writer object itself is
    // released later by another thread (it cannot wait for its own thread here).
    m_backup.m_writerFailed.store(true);
    m_backup.m_client.SendPacket(PacketHeader::Request(Msg::TRANS_OFF_REQ, 0), nullptr, 0);
    Trace("Send...TRANS_OFF_REQ\n");
    m_backup.m_bBackup.store(0);
    std::filesystem::path saveLocation;
    {
        std::lock_guard options(m_backup.m_optionsLock);
        saveLocation = m_backup.m_downloadOptions.saveLocation;
    }
    // The notice tells the operator which folder of this computer could not take the backup; no log
    // entry, which the log page would show as a failed connection.
    m_backup.m_client.Host().PostLocalWriteFailure(error, CDownloadWriter::FolderOf(saveLocation).string());
    Trace("backup failed: %d\n", error);
}

void CDvrClientBackup::ReleaseEndedWriter() {
    std::shared_ptr<CDownloadWriter> writer;
    {
        std::lock_guard lock(m_writerLock);
        if (!m_writer || !m_writer->HasEnded()) {
            return;
        }
        writer = std::move(m_writer);
    }
    writer->Join();
}

std::shared_ptr<CDownloadWriter> CDvrClientBackup::GetWriter() const {
    std::lock_guard lock(m_writerLock);
    return m_writer;
}

bool CDvrClientBackup::HasDownloadWriter() const {
    return GetWriter() != nullptr;
}

void CDvrClientBackup::ClearSpaceNackSizes() {
    m_spaceNack[0].store(0);
    m_spaceNack[1].store(0);
}

bool CDvrClientBackup::CreateDownloadWriter(DWORD totalKb, DWORD shownSize, DWORD sizeUnit) {
    ReleaseEndedWriter();
    std::lock_guard lock(m_writerLock);
    if (m_writer) {
        return false;
    }
    DownloadWriterOptions options;
    {
        std::lock_guard optionsLock(m_optionsLock);
        options = m_downloadOptions;
    }
    m_writerFailed.store(false);
    m_backupResetPending.store(true);
    m_writer = std::make_shared<CDownloadWriter>(m_writerOwner, totalKb, shownSize, sizeUnit, std::move(options));
    m_bBackup.store(1);
    return true;
}

void CDvrClientBackup::SendTransOff() {
    m_client.SendPacket(PacketHeader::Request(Msg::TRANS_OFF_REQ, 0), nullptr, 0);
    Trace("Send...TRANS_OFF_REQ\n");
    std::shared_ptr<CDownloadWriter> writer;
    {
        std::lock_guard lock(m_writerLock);
        writer = std::move(m_writer);
    }
    if (writer) {
        writer->WaitDrained(m_client.GetPlayTiming().drainLimit);
        writer->Stop();
        writer->Join();
    }
    m_bBackup.store(0);
    m_client.Host().PostToWindow(ClientWindow::MainWindow, WM_KELO_BACKUP_CLOSE, 0, 0);
    std::this_thread::sleep_for(m_client.GetPlayTiming().playSleep);
}

bool CDvrClientBackup::RecvFn_TransOnAck(const RecvMessage& m) {
    if (m.length < 4) {
        Trace("RecvFn_TransOnAck... size %u\n", unsigned(m.length));
        return true;
    }
    const DWORD kbytes = ReadBE32(m.data);
    if (m_client.Search().IsSearchFrameOpen()) {
        m_client.Host().ClearSearchBusy();
        m_client.Host().PostToWindow(ClientWindow::SearchFrame, WM_KELO_BACKUP_SIZE, kbytes, 0);
    }
    return true;
}

bool CDvrClientBackup::RecvFn_TransOnNack(const RecvMessage& m) {
    BYTE extra[8] = {};
    const LONG reason = ParseReply(m.data, m.length, extra);
    if (reason == Reason::R87 && m.length == 12) {
        m_spaceNack[0].store(ReadBE32(extra));
        m_spaceNack[1].store(ReadBE32(extra + 4));
    }
    m_client.PostRefusal(m);
    m_client.Host().ClearSearchBusy();
    return true;
}

bool CDvrClientBackup::RecvFn_TransOnData(const RecvMessage& m) {
    if (m_backupResetPending.exchange(false)) {
        m_backupArea.Reset();
    }
    if (m_writerFailed.load()) {
        ReleaseEndedWriter();
    }
    std::shared_ptr<CDownloadWriter> writer = GetWriter();
    if (writer && writer->HasFailed()) {
        writer.reset(); // the backup has ended; what the recorder still sends is dropped
    }
    m_backupArea.Append({m.data, m.length});
    if (!m.header.IsLastFragment()) {
        return true;
    }
    const std::span<const BYTE> block = m_backupArea.Block();
    FrameInfo info;
    const FrameCheck check = m_backupArea.IsComplete() ? CheckFrame(block, kFrameRecordSize, info) : FrameCheck::Short;
    if (check != FrameCheck::Ok) {
        Trace("%04x\n",
              block.size() >= kFrameRecordSize + 4 ? unsigned(ReadLE32(block.data() + kFrameRecordSize)) : 0u);
        m_backupArea.Reset();
        return true;
    }
    if (writer) {
        FrameDescriptor descriptor;
        FillFrameDescriptor(info, descriptor);
        const DWORD words[4] = {m.header.w0, m.header.w1, m.header.w2, m.header.w3};
        std::unique_ptr<FrameItem> item =
            MakeWriterItem(descriptor, words, block.first(kFrameRecordSize + info.frame_length));
        // A writer that lags behind holds the stream back (the recorder waits on the socket) rather
        // than losing frames; one that has ended takes nothing.
        const auto giveUp = std::chrono::steady_clock::now() + m_client.GetPlayTiming().writerWait;
        while (!writer->QueueFrame(std::move(item), kQueueSlice)) {
            if (writer->HasEnded() || m_client.IsStopping() || std::chrono::steady_clock::now() >= giveUp) {
                Trace("RecvFn_TransOnData... frame not queued\n");
                break;
            }
            item = MakeWriterItem(descriptor, words, block.first(kFrameRecordSize + info.frame_length));
        }
    }
    m_backupArea.Reset();
    if (writer) {
        std::this_thread::sleep_for(std::chrono::milliseconds(writer->GetQueueLength() / 8));
    }
    return true;
}

bool CDvrClientBackup::RecvFn_TransOnDone(const RecvMessage&) {
    SendTransOff();
    return true;
}

bool CDvrClientBackup::RecvFn_TransOnFail(const RecvMessage& m) {
    SendTransOff();
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientBackup::RecvFn_TransOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClientBackup::RecvFn_TransOffNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

void CDvrClientBackup::SetSaveLocation(const std::filesystem::path& location) {
    std::lock_guard lock(m_optionsLock);
    m_downloadOptions.saveLocation = location;
}

void CDvrClientBackup::SetDownloadOptions(const DownloadWriterOptions& options) {
    std::lock_guard lock(m_optionsLock);
    m_downloadOptions = options;
}
