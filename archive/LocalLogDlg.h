#pragma once
// The local log page of the local search frame: the program's own log (start and end, logons, local
// playback, local setup and snapshots), newest first, with a Print button. It is built from the
// log image its menu page read, and consumes it.

#include "archive/LocalSearchPage.h"
#include "archive/LogPrinter.h"
#include "archive/ReportPage.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CLocalLogDlg : public CReportPage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_LOG_DLG;
    static constexpr UINT kIdList = 914;
    static constexpr UINT kIdPrint = 480;

    CLocalLogDlg();

    void OnPrint();
    // Prints the log on a device (OnPrint gives the default printer); the pages printed.
    int PrintTo(ILogPrintDevice& device);

    CSkinTextButton m_btnPrint;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void FillPage() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void LoadRecords();
    void FormatEntries();
};
