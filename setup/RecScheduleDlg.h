#pragma once
// The weekly schedule page (page 171): one cell per day and hour (setup record 2384 + 24 x day +
// hour), painted with the mouse on a grid of 7 day columns and 24 hour rows. On recorders of sub-type
// 3 each cell holds one of four record modes, chosen by four paint buttons, and the Rec menu opens
// this page itself; on the others a cell is on or off and the page is the sub-page of page 166.

#include "controls/GridAreaCtrl3.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CRecScheduleDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_REC_SCHEDULE_DLG;
    enum ControlId : UINT {
        IDC_GRID = 437,
        IDC_BUTTON = 480, // 480-483
        IDC_DAY = 790,    // 790-796
    };
    static constexpr int kCellWidth = 50;
    static constexpr int kCellHeight = 15;
    static constexpr int kDays = 7;
    static constexpr int kHours = 24;
    // The sub-type whose cells hold four record modes.
    static constexpr int kModeSubType = 3;

    explicit CRecScheduleDlg(CWnd* pParent = nullptr);

    // Sub-type 3: the value a band paints.
    void SelectPaintMode(int mode);
    int GetPaintMode() const { return m_nPaintMode; }
    // Other sub-types: every cell on, or off.
    void SetAll();
    void ClearAll();
    bool IsModeVariant() const { return m_nVariant == kModeSubType; }

    CGridAreaCtrl3& Grid() { return m_grid; }
    CSkinTextButton& Button(int k) { return m_buttons[std::size_t(k)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void InitLayout();
    void InitGrid(int variant);
    void FillGrid();
    void SetEveryCell(int value);

    CGridAreaCtrl3 m_grid;
    std::array<CSkinTextButton, 4> m_buttons;
    std::array<CSkinLabel, kDays> m_days;
    int m_nVariant = 0;
    int m_nPaintMode = 0;
};
