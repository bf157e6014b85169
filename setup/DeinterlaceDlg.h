#pragma once
// Deinterlacing per channel (page 984, reached from the general System page): an On/Off pair per
// channel row for record bytes 4584-4599; Prev returns to the general System page.

#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "setup/SetupPage.h"

#include <array>

class CDeinterlaceDlg : public CSetupPage {
public:
    static constexpr UINT IDD = 984;
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_PREV = 482,
        IDC_ROW_BOX = 490,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_ROW_LABEL = 790,
    };

    explicit CDeinterlaceDlg(CWnd* pParent = nullptr);

    // Row r set to 1 (On) or 0 (Off), with every other ticked row when r is ticked.
    void SetRow(int row, BYTE value);
    void OnAllCheck(bool tick);
    void OnPrev();

    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CSkinTextButton& RowOn(int r) { return m_btnOn[std::size_t(r)]; }
    CSkinTextButton& RowOff(int r) { return m_btnOff[std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRow(int row, BYTE value);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    CSkinTextButton m_btnPrev;
    std::array<CSkinCheckButton, 16> m_boxes;
    std::array<CSkinTextButton, 16> m_btnOn;
    std::array<CSkinTextButton, 16> m_btnOff;
    std::array<CSkinLabel, 16> m_labels;
};
