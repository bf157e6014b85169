#pragma once
// The local information page of the local search frame: one row with the program's file version.

#include "archive/LocalSearchPage.h"
#include "archive/ReportPage.h"

class CLocalInfoDlg : public CReportPage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = 142;
    static constexpr UINT kIdList = 915;

    CLocalInfoDlg();

protected:
    void FillPage() override;
};
