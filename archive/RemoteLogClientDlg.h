#pragma once
// The Client page: the entries whose index_main has the Client bit.

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogClientDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_CLIENT_DLG;
    CRemoteLogClientDlg();
};
