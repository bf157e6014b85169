#include "archive/RemoteLogClientDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogClientDlg::CRemoteLogClientDlg()
    : CRemoteLogListDlg(
          RemoteLogPageConfig{IDD, kSlotLogClient, 3, IDS_REMOTE_LOG_CLIENT, "Remote Log Client", 0, 0, 0, false}) {}
