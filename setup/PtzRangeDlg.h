#pragma once
// PTZ limits (page 182): per channel the pan low, pan high, tilt low and tilt high limits (record
// u16 arrays at 4320, 4352, 4384, 4416), one column at a time on a slider showing limit + 1 (1..10).
// Prev returns to the PTZ camera page (180).

#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/PtzSliderRows.h"
#include "setup/SetupPage.h"

#include <array>

class CPtzRangeDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_PTZ_RANGE_DLG;
    enum ControlId : UINT {
        IDC_COLUMN = 470, // 470 pan low, 471 pan high, 472 tilt low, 473 tilt high
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_PREV = 482,
        IDC_ROW_BOX = CPtzSliderRows::IDC_ROW_BOX,
        IDC_ROW_SLIDER = CPtzSliderRows::IDC_ROW_SLIDER,
        IDC_ROW_LABEL = CPtzSliderRows::IDC_ROW_LABEL,
        IDC_ROW_VALUE = CPtzSliderRows::IDC_ROW_VALUE,
    };
    static constexpr int kColumns = 4;
    static constexpr int kSliderMax = 10;

    explicit CPtzRangeDlg(CWnd* pParent = nullptr);

    void ShowColumn(int column);
    int CurrentColumn() const { return m_nColumn; }
    void OnSliderMoved(int row);
    void OnAllCheck(bool tick);
    void OnPrev();

    CSkinCheckButton& RowBox(int r) { return m_rows.boxes[std::size_t(r)]; }
    CBitmapSlider& RowSlider(int r) { return m_rows.sliders[std::size_t(r)]; }
    CSkinLabel& RowValue(int r) { return m_rows.values[std::size_t(r)]; }
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The limits of the current column.
    WORD* Limits() const;
    void ShowPosition(int row, int position);

    std::array<CSkinTextButton, kColumns> m_btnColumn;
    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    CSkinTextButton m_btnPrev;
    CPtzSliderRows m_rows;
    int m_nColumn = 0;
};
