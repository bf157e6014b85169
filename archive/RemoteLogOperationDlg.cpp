#include "archive/RemoteLogOperationDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogOperationDlg::CRemoteLogOperationDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogOperation, 2, IDS_REMOTE_LOG_OPERATION, "Remote Log Operation",
                                            CRemoteLogListDlg::kIdPlay, 0, 0, false}) {}
