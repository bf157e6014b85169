#pragma once
// Number of days (page 178): one slider 0..99 for record byte 3104, its value shown beside it.

#include "controls/BitmapSlider.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

class CSysDaysDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_SYS_DAYS_DLG;
    enum ControlId : UINT {
        IDC_DAYS_SLIDER = 510,
        IDC_DAYS_VALUE = 790,
    };

    explicit CSysDaysDlg(CWnd* pParent = nullptr);

    // The slider moved: the value shown and stored.
    void OnSliderMoved();
    // 0 shows the none text, other values "%d" and the days unit.
    static CString DaysText(int days);

    CBitmapSlider& Slider() { return m_slider; }
    CSkinLabel& ValueLabel() { return m_value; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CBitmapSlider m_slider;
    CSkinLabel m_value;
};
