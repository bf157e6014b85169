#include "archive/RemoteLogPowerDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogPowerDlg::CRemoteLogPowerDlg()
    : CRemoteLogListDlg(
          RemoteLogPageConfig{IDD, kSlotLogPower, 0, IDS_REMOTE_LOG_POWER, "Remote Log Power", 0, 0, 0, false}) {}
