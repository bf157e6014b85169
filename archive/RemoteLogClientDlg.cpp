#include "archive/RemoteLogClientDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogClientDlg::CRemoteLogClientDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogClient, 3, 5521, "Remote Log Client", 0, 0, 0, false}) {}
