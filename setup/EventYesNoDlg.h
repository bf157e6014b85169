#pragma once
// The event pages share one design: four rows, each a Yes/No pair bound to one byte of the record
// (1 Yes, anything else shows as No). This is page 186; pages 187 and 188 add a fifth row with a
// duration (CEventYesNoTimeADlg, CEventYesNoTimeBDlg).

#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CEventYesNoDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_EVENT_YES_NO_DLG;
    static constexpr int kRows = 4;
    enum ControlId : UINT {
        IDC_YES = 550,
        IDC_NO = 570,
        IDC_FIRST_LABEL = 790,
        IDC_DURATION = 795,
    };

    explicit CEventYesNoDlg(CWnd* pParent = nullptr);

    void OnYes(int row);
    void OnNo(int row);

    CSkinTextButton& YesButton(int row) { return m_btnYes[std::size_t(row)]; }
    CSkinTextButton& NoButton(int row) { return m_btnNo[std::size_t(row)]; }
    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_FIRST_LABEL)]; }

    // The page templates: four row captions and Yes/No pairs, and with a duration the fifth row.
    static DialogTemplate MakeTemplate(UINT id, bool withDuration);

protected:
    CEventYesNoDlg(UINT nIDTemplate, bool withDuration, CWnd* pParent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The four bytes of the rows.
    virtual BYTE* RowBytes() const;
    // Pages with a duration row close the popups after a Yes or No.
    virtual void AfterChoice() {}

    std::array<CSkinLabel, 7> m_labels;
    std::array<CSkinTextButton, kRows> m_btnYes;
    std::array<CSkinTextButton, kRows> m_btnNo;
    bool m_bWithDuration;

private:
    void ShowRow(int row, bool yes);
};
