#include "archive/RemoteLogRecordDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogRecordDlg::CRemoteLogRecordDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogRecord, 1, 5525, "Remote Log Record", 0, 0, 0, false}) {}
