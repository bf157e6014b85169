#pragma once
// A push button drawn from a horizontal bitmap strip: one cell per look, the cell chosen by the
// button's state. It attaches to a button of a dialog template and draws itself when its background
// is erased. While enabled it tells its parent synchronously when the left button goes down and up
// (WM_SKINBUTTON_PRESS), which the PTZ pad turns into camera moves and stops.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Rgn.h"
#include "platform/window/Button.h"
#include "platform/window/ToolTipCtrl.h"

class CDC;

// wParam: the button's window handle; lParam: 0 pressed, 1 released.
constexpr UINT WM_SKINBUTTON_PRESS = 0xBD0;

class CSkinButton : public CButton {
public:
    CSkinButton();
    ~CSkinButton() override;

    // SetState, Enable and Show may be called from any thread: off the UI thread they are queued to
    // it and take effect there.
    // Ignored while the button is disabled. Owners use 0 normal, 1 on, 3 disabled and 4 second on;
    // 2 and 6 are the hover looks of 0 and 4.
    void SetState(int state);
    int GetState() const { return m_nState; }
    // Loads the strip and sizes the window to the whole bitmap, keeping its top-left corner.
    BOOL LoadBitmap(UINT id);
    void Enable(BOOL bEnable);
    void Show(BOOL bShow);

    // The strip cell drawn for a state: states 0 to 7 their own cell, any other cell 0.
    static int CellOfState(int state);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnDestroy() override;
    void OnEnable(BOOL bEnable) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;

    // Draws the look of the current state over the client rectangle.
    virtual void PaintFace(CDC* pDC);
    // The strip's handle, null until loaded.
    HBITMAP StripHandle() const { return m_hBitmap; }
    // Sets the cursor for a mouse move at point when it lies in the hit region.
    void SetCursorInHitRegion(CPoint point, HCURSOR cursor);
    void TrackLeave();

    BOOL m_bDisabledLook = FALSE;
    BOOL m_bEnabled = TRUE;
    int m_nState = 0;

private:
    // A "released" for a reported "pressed" that no button-up will follow (the button lost the
    // capture, was disabled, hidden or destroyed while held), so the owner never keeps a camera
    // moving. Sent at most once per press.
    void ReportReleaseIfPressed();
    void SendPress(LPARAM upOrDown);

    CBitmap m_bitmap;
    HBITMAP m_hBitmap = nullptr;
    CRgn m_hitRegion;
    CToolTipCtrl m_toolTip;
    HCURSOR m_hCursorHand = nullptr;
    HCURSOR m_hCursorNo = nullptr;
    bool m_bPressReported = false;
};
