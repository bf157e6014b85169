#include "archive/RemoteLogOperationDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogOperationDlg::CRemoteLogOperationDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogOperation, 2, 5523, "Remote Log Operation",
                                            CRemoteLogListDlg::kIdPlay, 0, 0, false}) {}
