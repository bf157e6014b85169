#pragma once
// Deinterlacing per channel (page 984, reached from the general System page): an On/Off pair per
// channel row for record bytes 4584-4599; Prev returns to the general System page.

#include "res/DialogIds.h"
#include "setup/OnOffRowsPage.h"

class CDeinterlaceDlg : public COnOffRowsPage {
public:
    static constexpr UINT IDD = IDD_DEINTERLACE_DLG;
    enum PrevId : UINT { IDC_PREV = 482 };

    explicit CDeinterlaceDlg(CWnd* pParent = nullptr);

    void OnPrev();

protected:
    BYTE* RowBytes() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CSkinTextButton m_btnPrev;
};
