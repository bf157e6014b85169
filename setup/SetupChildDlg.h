#pragma once
// What the setup frame's menu panels, pages and popups share. Each is made by the frame into one of
// its slots and lives as long as its window: when the window is destroyed the frame takes the object
// out of its slot at once (so a late popup result finds no page), and frees it once the window's last
// message is done. Enter and Escape never reach the dialog manager (neither presses OK or Cancel),
// Alt+F4 is swallowed, and the background bitmap is drawn stretched when the background is erased.

#include "controls/SkinHelper.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"

class CSetupDlg;

class CSetupChildDlg : public CDialog, public CSkinHelper {
public:
    using CDialog::Create;

    explicit CSetupChildDlg(UINT nIDTemplate, CWnd* pParent = nullptr);

    CSetupDlg* GetFrame() const { return m_pFrame; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Keeps the frame and makes the window from the template (a child of the frame, or a popup the
    // frame owns, as the template says).
    BOOL CreateIn(CSetupDlg* pFrame);
    // Loads the background bitmap of the resource library; it is drawn stretched into rect.
    void LoadBackground(UINT bitmapId, const RECT& rect);

    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnClose() override;
    void OnNcDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

    CSetupDlg* m_pFrame = nullptr;
    CBitmap m_bmBackground;
    CRect m_rcBackground;
};
