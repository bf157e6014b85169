#pragma once
// The slider popup of the setup pages (template 190): one slider for a value in a range (mode 0), or
// an hour and a minute slider (mode 1), each with its value beside it. Whatever closes the popup
// (a click elsewhere, another popup or page, OK), the values shown at that moment go to the frame
// for the owner page, moved or not. The frame owns it.

#include "controls/BitmapSlider.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setupkit/PopupFrameDlg.h"
#include "setupkit/SetupPopupRequest.h"

#include <array>

class CSetupDlg;
class CSetupPage;

class CSetupSliderPopupDlg : public CPopupFrameDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_SLIDER_POPUP_DLG;
    static constexpr UINT kFirstName = 790;
    static constexpr UINT kFirstValue = 793;
    static constexpr UINT kFirstSlider = 510;
    static constexpr int kMaxSliders = 2;

    CSetupSliderPopupDlg(CSetupPage* pOwner, int kind, const SliderPopupRequest& request, int mode);

    using CDialog::Create;
    virtual BOOL Create(CSetupDlg* pFrame);

    CSetupPage* GetOwner() const { return m_pOwner; }
    int GetKind() const { return m_nKind; }
    int GetMode() const { return m_nMode; }
    int SliderCount() const { return m_request.count; }
    int Result(int i) const { return m_nResult[std::size_t(i)]; }
    CBitmapSlider& Slider(int i) { return m_sliders[std::size_t(i)]; }
    CSkinLabel& ValueLabel(int i) { return m_labels[std::size_t(3 + i)]; }
    CSkinLabel& NameLabel(int i) { return m_labels[std::size_t(i)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    void OnSliderMoved(int i);

    std::array<CSkinLabel, 6> m_labels;
    std::array<CBitmapSlider, kMaxSliders> m_sliders;
    CSetupDlg* m_pFrame = nullptr;
    CSetupPage* m_pOwner;
    int m_nKind;
    SliderPopupRequest m_request;
    int m_nMode;
    std::array<int, 3> m_nResult{};
    bool m_bDelivered = false;
};
