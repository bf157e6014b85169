#include "archive/RemoteLogRecordDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogRecordDlg::CRemoteLogRecordDlg()
    : CRemoteLogListDlg(
          RemoteLogPageConfig{IDD, kSlotLogRecord, 1, IDS_REMOTE_LOG_RECORD, "Remote Log Record", 0, 0, 0, false}) {}
