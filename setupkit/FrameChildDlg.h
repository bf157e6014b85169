#pragma once
// What the panels, pages and popups of both setup frames share. Each is made by its frame into one
// of the frame's slots and lives as long as its window: when the window is destroyed the frame takes
// it out of its slot at once, and once the window's last message is done the object is freed (by the
// frame, or by itself, as its lifetime says). Enter and Escape never reach the dialog manager (neither
// presses OK or Cancel), Alt+F4 is swallowed, WM_CLOSE destroys the window, and the background bitmap
// is drawn stretched when the background is erased.

#include "controls/SkinHelper.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"

class IChildSlots;

class CFrameChildDlg : public CDialog, public CSkinHelper {
public:
    // Who frees the object once its window's last message is done.
    enum class Lifetime {
        kFrameFrees,  // the frame (IChildSlots::ReleaseChild), which owns it
        kFreesItself, // the object itself; the frame is not told again after the window went
    };

    CFrameChildDlg(UINT nIDTemplate, CWnd* pParent, Lifetime lifetime);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Keeps the frame's slots and makes the window from the template (a child of the frame, or a
    // popup the frame owns, as the template says).
    BOOL CreateIn(IChildSlots* slots, CWnd* frame);
    // Loads the background bitmap of the resource library; it is drawn stretched into rect.
    void LoadBackground(UINT bitmapId, const RECT& rect);

    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnClose() override;
    void OnNcDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    IChildSlots* m_pSlots = nullptr;
    Lifetime m_lifetime;
    CBitmap m_bmBackground;
    CRect m_rcBackground;
};
