#pragma once
// A three-way value per channel (page 177): None / Off / On buttons per channel row for record bytes
// 3088-3103 (0 none, 1 off, 2 on).

#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CChannelTriStateDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_CHANNEL_TRI_STATE_DLG;
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_ROW_BOX = 490,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_ROW_NONE = 590,
        IDC_ROW_LABEL = 790,
    };
    enum Value : BYTE { kNone = 0, kOff = 1, kOn = 2 };

    explicit CChannelTriStateDlg(CWnd* pParent = nullptr);

    // Row r set to the value, with every other ticked row when r is ticked.
    void SetRow(int row, BYTE value);
    void OnAllCheck(bool tick);

    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    // The row's button of a value (kNone, kOff, kOn).
    CSkinTextButton& RowButton(int r, BYTE value) { return m_buttons[value][std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRow(int row, BYTE value);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinCheckButton, 16> m_boxes;
    // By value: None, Off, On.
    std::array<std::array<CSkinTextButton, 16>, 3> m_buttons;
    std::array<CSkinLabel, 16> m_labels;
};
