#pragma once
// The system information page of the search frame's Info tab: the connection's address, port and
// description, the recorder's MAC address and its firmware versions with their names.

#include "archive/ReportPage.h"
#include "archive/SearchPage.h"
#include "res/DialogIds.h"

class CRemoteSystemInfoDlg : public CReportPage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_REMOTE_SYSTEM_INFO_DLG;
    static constexpr UINT kIdList = 915;

    CRemoteSystemInfoDlg();

protected:
    void FillPage() override;
};
