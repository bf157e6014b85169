#include "archive/RemoteLogPowerDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogPowerDlg::CRemoteLogPowerDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogPower, 0, 5524, "Remote Log Power", 0, 0, 0, false}) {}
