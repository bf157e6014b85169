#include "archive/BackupAction.h"

#include "archive/RemoteSearchDlg.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"

#include <cstring>

namespace {

bool SameRange(const RecTimeRange& a, const RecTimeRange& b) {
    return std::memcmp(a.channel_mask, b.channel_mask, sizeof a.channel_mask) == 0 &&
           std::memcmp(a.start_time, b.start_time, sizeof a.start_time) == 0 &&
           std::memcmp(a.end_time, b.end_time, sizeof a.end_time) == 0;
}

} // namespace

void CBackupAction::RequestSize(CRemoteSearchDlg& frame, const RecTimeRange& range) {
    m_asked = range;
    m_hasSized = false;
    frame.SendRequest(Msg::TRANS_ON_REQ, &range, sizeof range);
    frame.SetBusy(true);
}

BackupSizeDecision CBackupAction::TakeSize(CRemoteSearchDlg& frame, DWORD kbytes) {
    DWORD freeMByte = 0;
    DWORD totalMByte = 0;
    // A drive that is not measured (an optical disc) counts as full.
    frame.Host().GetDiskFreeText(&freeMByte, &totalMByte);
    CDvrClient* client = frame.Client();
    const bool running = client != nullptr && client->Backup().IsBackup();
    const BackupSizeDecision d = DecideBackupSize(kbytes, freeMByte, running);
    m_size = d.size;
    m_sized = m_asked;
    m_hasSized = d.backup;
    if (!d.fits) {
        frame.m_nBackupFreeMargin = ClampToLong(d.margin);
        frame.Host().SetBackupSpaceFigures(LONG(kbytes >> 10), ClampToLong(LONGLONG(freeMByte) - kBackupSpareMByte),
                                           frame.m_nBackupFreeMargin);
        frame.PostNotice(kNoticeNoSpaceForBackup);
    }
    return d;
}

bool CBackupAction::Start(CRemoteSearchDlg& frame, const RecTimeRange& range) {
    if (!m_hasSized || !SameRange(range, m_sized)) {
        return false;
    }
    m_hasSized = false;
    if (CDvrClient* client = frame.Client()) {
        if (!client->Backup().HasDownloadWriter()) {
            client->Backup().CreateDownloadWriter(m_size.kbytes, m_size.shown, m_size.unit);
        }
        client->Backup().MarkBackupRunning();
    }
    frame.SendRequest(Msg::TRANS_DATA_REQ, &range, sizeof range);
    return true;
}
