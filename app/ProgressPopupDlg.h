#pragma once
// The floating popup of a running backup: a progress bar and a Stop button, kept inside the video
// area. Only Stop or the end of the backup closes it.

#include "app/SkinDialog.h"
#include "controls/BitmapProgressCtrl.h"
#include "controls/SkinButton.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

#include <functional>

class CProgressPopupDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_PROGRESS_POPUP_DLG;

    explicit CProgressPopupDlg(CWnd* pOwner);

    CSkinButton m_btnStop;
    CBitmapProgressCtrl m_progress;

    // Stop asks this to end the transfer (the client's TRANS_OFF).
    std::function<void()> m_onStop;
    // The video area in screen coordinates; false when there is none (no keeping inside).
    std::function<bool(RECT*)> m_videoRect;

    // Moves a proposed place inside the area, snapping to an edge within 20 pixels.
    static void KeepInside(const RECT& area, WINDOWPOS& pos);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnWindowPosChanging(WINDOWPOS* lpwndpos) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    CBitmap m_bmBackground;
};
