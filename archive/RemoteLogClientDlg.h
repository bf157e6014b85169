#pragma once
// The Client page: the entries whose index_main has the Client bit.

#include "archive/RemoteLogListDlg.h"

class CRemoteLogClientDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = 236;
    CRemoteLogClientDlg();
};
