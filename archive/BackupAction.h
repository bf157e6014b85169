#pragma once
// The two steps every backup page ends in: Calculate asks the recorder for the size of the range
// (TRANS_ON_REQ); the size reply is shown and checked against the save drive's free space; Backup
// then makes the download writer and asks for the data (TRANS_DATA_REQ).

#include "archive/ArchiveRecords.h"
#include "archive/BackupSizeMath.h"

class CRemoteSearchDlg;

class CBackupAction {
public:
    // Sends the size request, remembers its range and sets the frame busy.
    void RequestSize(CRemoteSearchDlg& frame, const RecTimeRange& range);
    // Takes a size reply: stores it, and when the range does not fit stores the figures of the
    // space notice and posts it (13/0) to the main window. A size that lets Backup start marks the
    // asked range as the sized one.
    BackupSizeDecision TakeSize(CRemoteSearchDlg& frame, DWORD kbytes);
    // Only the range that the last accepted size was for may be downloaded (the record types
    // aside): a range changed since, never sized nor checked against the free space, is refused
    // and nothing is sent (false). Otherwise makes the download writer (unless one exists), marks
    // the backup running and sends the data request.
    bool Start(CRemoteSearchDlg& frame, const RecTimeRange& range);

    const BackupSize& Size() const { return m_size; }

private:
    BackupSize m_size;
    RecTimeRange m_asked{};
    RecTimeRange m_sized{};
    bool m_hasSized = false;
};
