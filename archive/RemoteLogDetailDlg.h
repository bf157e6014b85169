#pragma once
// The detail page of an Operation entry of the recorder's log: the entry's row, then the settings a
// settings change touched, the medium, format, span and channels of a backup, or the names of a
// camera name change. Prev returns to the list it was opened from.

#include "archive/ReportPage.h"
#include "archive/SearchPage.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CRemoteLogDetailDlg : public CReportPage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_REMOTE_LOG_DETAIL_DLG;
    static constexpr UINT kIdList = 914;
    static constexpr UINT kIdPrev = 482;

    // source 0: opened from the All page, 1: from the Operation page; entry: index into the frame's
    // entry table; kind: the detail kind (4, 9 or 13).
    CRemoteLogDetailDlg(int source, int entry, int kind);

    void OnPrev();

    CSkinTextButton m_btnPrev;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void FillPage() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillList();

    int m_nSource;
    int m_nEntry;
    int m_nKind;
};
