#pragma once
// The Power page: the entries whose index_main has the Power bit.

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogPowerDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_POWER_DLG;
    CRemoteLogPowerDlg();
};
