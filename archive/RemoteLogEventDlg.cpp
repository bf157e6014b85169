#include "archive/RemoteLogEventDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/TextIds.h"

CRemoteLogEventDlg::CRemoteLogEventDlg()
    : CRemoteLogListDlg(RemoteLogPageConfig{IDD, kSlotLogEvent, 4, IDS_REMOTE_LOG_EVENT, "Remote Log Event", 0,
                                            CRemoteLogListDlg::kIdPlay, 1, true}) {}
