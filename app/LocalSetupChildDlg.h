#pragma once
// What the local setup frame's tab panel, pages and drop-list popup share. Each is made by the frame
// into one of its slots and lives as long as its window: when the window goes the frame's slot is
// cleared at once (a late popup result finds no page) and the object frees itself after the window's
// last message. Enter and Escape never reach the dialog manager, Alt+F4 is swallowed, WM_CLOSE
// destroys the window, and the background bitmap is drawn when the background is erased.

#include "controls/SkinHelper.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"

class CLocalSetupDlg;

class CLocalSetupChildDlg : public CDialog, public CSkinHelper {
public:
    using CDialog::Create;

    explicit CLocalSetupChildDlg(UINT nIDTemplate);

    // Keeps the frame and makes the window from the template (a child of the frame, or a popup it
    // owns, as the template says).
    virtual BOOL Create(CLocalSetupDlg* pFrame);
    CLocalSetupDlg* GetFrame() const { return m_pFrame; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The background bitmap, drawn stretched into rect.
    void LoadBackground(UINT bitmapId, const RECT& rect);

    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnClose() override;
    void OnNcDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

    CLocalSetupDlg* m_pFrame = nullptr;
    CBitmap m_bmBackground;
    CRect m_rcBackground;
};
