#pragma once
// Covert cameras (page 156): an On/Off pair per channel row; a press on a ticked row sets every
// ticked row the same way.

#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "setup/SetupPage.h"

#include <array>

class CCameraCovertDlg : public CSetupPage {
public:
    static constexpr UINT IDD = 156;
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_ROW_BOX = 490,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_ROW_LABEL = 790,
    };

    explicit CCameraCovertDlg(CWnd* pParent = nullptr);

    void OnRowSwitch(int row, bool on);
    void OnAllCheck(BOOL tick);

    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CSkinTextButton& RowOn(int r) { return m_btnOn[std::size_t(r)]; }
    CSkinTextButton& RowOff(int r) { return m_btnOff[std::size_t(r)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowSwitch(int row, bool on);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinCheckButton, 16> m_boxes;
    std::array<CSkinTextButton, 16> m_btnOn;
    std::array<CSkinTextButton, 16> m_btnOff;
    std::array<CSkinLabel, 16> m_labels;
};
