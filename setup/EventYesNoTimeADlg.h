#pragma once
// Event page 187: the four Yes/No rows of event set 2 and a duration chosen from ten values
// (5 to 240), stored as the u32 event time A.

#include "res/DialogIds.h"
#include "setup/EventYesNoDlg.h"

#include <vector>

class CEventYesNoTimeADlg : public CEventYesNoDlg {
public:
    static constexpr UINT IDD = IDD_EVENT_YES_NO_TIME_A_DLG;

    explicit CEventYesNoTimeADlg(CWnd* pParent = nullptr);

    // The duration of list item `index`; 5 for an index outside 0..9.
    static DWORD IndexToValue(int index);
    void OnTimeSelector();
    void OnListResult(int kind, int index) override;

    CSkinLabel& DurationSelector() { return Label(IDC_DURATION); }

protected:
    CEventYesNoTimeADlg(UINT nIDTemplate, CWnd* pParent);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    BYTE* RowBytes() const override;
    void AfterChoice() override;
    // The duration field.
    virtual DWORD& Duration() const;

private:
    std::vector<CString> m_durations;
    CBitmap m_bmBand;
};
