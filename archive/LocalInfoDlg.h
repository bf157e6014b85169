#pragma once
// The local information page of the local search frame: one row with the program's file version.

#include "archive/LocalSearchPage.h"
#include "archive/ReportPage.h"
#include "res/DialogIds.h"

class CLocalInfoDlg : public CReportPage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_INFO_DLG;
    static constexpr UINT kIdList = 915;

    CLocalInfoDlg();

protected:
    void FillPage() override;
};
