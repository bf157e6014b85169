#pragma once
// A page of an On/Off pair per channel row, each row one byte of the setup record (1 on, anything
// else shown as off); a press on a ticked row sets every ticked row the same way. All Check and
// Return All tick and clear the rows; a page may add a button of its own beside them.

#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/window/DialogTemplate.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class COnOffRowsPage : public CSetupPage {
public:
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_ROW_BOX = 490,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_ROW_LABEL = 790,
    };

    // Row r set to the value, with every other ticked row when r is ticked.
    void SetRow(int row, BYTE value);
    void OnAllCheck(bool tick);

    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CSkinTextButton& RowOn(int r) { return m_btnOn[std::size_t(r)]; }
    CSkinTextButton& RowOff(int r) { return m_btnOff[std::size_t(r)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }

    // The page's controls; `extra`, when given, follows All Check and Return All.
    static std::vector<DialogItem> PageItems(const DialogItem* extra);

protected:
    COnOffRowsPage(UINT nIDTemplate, CWnd* pParent);

    // The page's byte per channel row in the setup record.
    virtual BYTE* RowBytes() = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRow(int row, BYTE value);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinCheckButton, 16> m_boxes;
    std::array<CSkinTextButton, 16> m_btnOn;
    std::array<CSkinTextButton, 16> m_btnOff;
    std::array<CSkinLabel, 16> m_labels;
};
