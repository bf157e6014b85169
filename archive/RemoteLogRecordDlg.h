#pragma once
// The Record page: the entries whose index_main has the Record bit.

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogRecordDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_RECORD_DLG;
    CRemoteLogRecordDlg();
};
