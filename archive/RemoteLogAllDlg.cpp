#include "archive/RemoteLogAllDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogAllDlg::CRemoteLogAllDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogAll, -1, IDS_REMOTE_LOG_ALL, "Remote Log All",
                                            CRemoteLogListDlg::kIdDetails, CRemoteLogListDlg::kIdPlay, 0, false}) {}
