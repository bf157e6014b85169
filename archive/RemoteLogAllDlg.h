#pragma once
// The All page: every entry of the recorder's log, newest first, loaded from the LOG_INFO_ACK reply
// (or from the log cache when the frame returns to a playback started from a log page).

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogAllDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_ALL_DLG;
    CRemoteLogAllDlg();
};
