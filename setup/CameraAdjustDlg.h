#pragma once
// Camera adjustment (page 155): hue, saturation, contrast and brightness per channel, one column
// at a time, with a slider per channel row. A slider moved on a ticked row moves every ticked row.

#include "controls/BitmapSlider.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CCameraAdjustDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_CAMERA_ADJUST_DLG;
    enum ControlId : UINT {
        IDC_COLUMN = 470, // 470-473: hue, saturation, contrast, brightness
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_RESET = 482,
        IDC_ROW_BOX = 490,
        IDC_ROW_SLIDER = 510,
        IDC_ROW_LABEL = 790,
        IDC_ROW_VALUE = 806,
    };
    static constexpr int kResetValue = 50;

    explicit CCameraAdjustDlg(CWnd* pParent = nullptr);

    void OnColumn(int column);
    // Slider `row` moved to `position`.
    void OnSliderMoved(int row, int position);
    void OnAllCheck(BOOL tick);
    void OnReset();

    int GetColumn() const { return m_nColumn; }
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }
    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CBitmapSlider& RowSlider(int r) { return m_sliders[std::size_t(r)]; }
    CSkinLabel& RowValue(int r) { return m_values[std::size_t(r)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BYTE* ColumnBytes(int column) const;
    bool IsTicked(int row);
    void ShowValue(int row, int value);

    std::array<CSkinTextButton, 4> m_btnColumn;
    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    CSkinTextButton m_btnReset;
    std::array<CSkinCheckButton, 16> m_boxes;
    std::array<CBitmapSlider, 16> m_sliders;
    std::array<CSkinLabel, 16> m_labels;
    std::array<CSkinLabel, 16> m_values;
    int m_nColumn = 0;
};
