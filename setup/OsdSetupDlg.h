#pragma once
// On-screen display (page 160): two On/Off switches and two list choices on every recorder, three
// more list choices on recorders whose setup version is 4.4 or later.

#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class COsdSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_OSD_SETUP_DLG;
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_ROW_BOX = 490,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_FIRST_LABEL = 790,
    };
    static constexpr int kListCount = 5;
    // The selector of each list.
    static constexpr UINT kSelectorOfList[kListCount] = {793, 795, 799, 800, 801};

    explicit COsdSetupDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OnSelector(int list);
    void OnSwitch(int row, bool on);
    void OnAllCheck(BOOL tick);

    bool IsExtended() const { return m_bExtended; }
    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_FIRST_LABEL)]; }
    CSkinLabel& Selector(int list) { return Label(kSelectorOfList[list]); }
    CSkinCheckButton& RowBox(int k) { return m_boxes[std::size_t(k)]; }
    CSkinTextButton& RowOn(int k) { return m_btnOn[std::size_t(k)]; }
    CSkinTextButton& RowOff(int k) { return m_btnOff[std::size_t(k)]; }
    const std::vector<CString>& Items(int list) const { return m_items[std::size_t(list)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void BuildLists();
    BYTE& ListByte(int list) const;
    BYTE& SwitchByte(int row) const;
    void ShowSwitch(int row, bool on);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinLabel, 12> m_labels;
    std::array<CSkinCheckButton, 2> m_boxes;
    std::array<CSkinTextButton, 2> m_btnOn;
    std::array<CSkinTextButton, 2> m_btnOff;
    std::array<std::vector<CString>, kListCount> m_items;
    bool m_bExtended = false;
};
