#include "archive/RemoteLogAllDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogAllDlg::CRemoteLogAllDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogAll, -1, 5520, "Remote Log All", CRemoteLogListDlg::kIdDetails,
                                            CRemoteLogListDlg::kIdPlay, 0, false}) {}
