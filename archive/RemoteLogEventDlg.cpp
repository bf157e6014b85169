#include "archive/RemoteLogEventDlg.h"

#include "archive/RemoteSearchDlg.h"

CRemoteLogEventDlg::CRemoteLogEventDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogEvent, 4, 5522, "Remote Log Event", 0,
                                            CRemoteLogListDlg::kIdPlay, 1, true}) {}
