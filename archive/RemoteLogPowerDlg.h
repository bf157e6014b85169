#pragma once
// The Power page: the entries whose index_main has the Power bit.

#include "archive/RemoteLogListDlg.h"

class CRemoteLogPowerDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = 235;
    CRemoteLogPowerDlg();
};
