#pragma once
// The Event page: the entries whose index_main has the Event bit, reloaded from the log cache;
// Play starts remote playback at the selected event.

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogEventDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_EVENT_DLG;
    CRemoteLogEventDlg();
};
