#pragma once
// The full-screen arrange bar (dialog 107): ten picture buttons at the bottom centre of the monitor
// the video window covers, nine choosing the split layout and one leaving full screen. It shows
// itself 100 ms after it is made and hides itself 4 seconds after each show. A click tells the
// owner (the video window) synchronously with message 0x5220, wParam the button id; the bar itself
// neither hides nor closes on a click, and never takes the keyboard from the video window.

#include "controls/SkinButton.h"
#include "controls/SkinHelper.h"
#include "media/FullScreenVideoDlg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

#include <array>
#include <memory>

class CArrangeDlg : public CDialog, public CSkinHelper, public IArrangeBar {
public:
    static constexpr UINT IDD = IDD_ARRANGE_DLG;
    static constexpr int kWidth = 350;
    static constexpr int kHeight = 44;
    static constexpr UINT kIdFirst = 400; // 400-408 layouts, 409 leaves full screen
    static constexpr UINT kIdLeave = 409;
    static constexpr int kButtons = 10;
    static constexpr UINT_PTR kFirstShowTimer = 0x5224;
    static constexpr UINT_PTR kHideTimer = 0x5225;
    static constexpr UINT kFirstShowMs = 100;
    static constexpr UINT kShowMs = 4000;

    explicit CArrangeDlg(CWnd* pOwner);

    // The bar for a video window: made as its child, deleted by itself once its window is gone
    // (IArrangeBar::Destroy destroys the window). Null when the window could not be made.
    static std::unique_ptr<IArrangeBar> Make(CWnd& owner);

    // ---- IArrangeBar
    void PopUp(const RECT& monitor, BYTE alpha) override;
    void Show(bool show) override;
    using CWnd::GetClientRect;
    RECT GetClientRect() const override;
    void Destroy() override;

    std::array<CSkinButton, kButtons> m_btn;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CWnd* m_pOwner;
    CBitmap m_bmBackground;
};
