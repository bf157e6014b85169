#pragma once
// The Operation page: the entries whose index_main has the Operation bit; Details (482) opens the
// detail page of a settings change, a backup or a camera name change.

#include "archive/RemoteLogListDlg.h"
#include "res/DialogIds.h"

class CRemoteLogOperationDlg : public CRemoteLogListDlg {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_OPERATION_DLG;
    CRemoteLogOperationDlg();
};
