#pragma once
// The Record page: the entries whose index_main has the Record bit.

#include "archive/RemoteLogListDlg.h"

class CRemoteLogRecordDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = 237;
    CRemoteLogRecordDlg();
};
