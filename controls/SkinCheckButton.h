#pragma once
// The owner-drawn check box and radio button of the setup pages, the firmware dialog and the archive
// pages. Its kind (push button, check box or radio button) comes from the template's style; it keeps
// its own checked state behind the standard check messages, shapes its window to a mask bitmap and
// clears the other radio buttons of its group itself (WM_SKINCHECK_UNCHECK).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Rgn.h"
#include "platform/window/Button.h"
#include "platform/window/ToolTipCtrl.h"

class CDC;

// Posted (wParam 0, lParam 0) to the other members of a radio button's group when it is checked.
constexpr UINT WM_SKINCHECK_UNCHECK = 0x500;

class CSkinCheckButton : public CButton {
public:
    enum Kind { kPush = 0, kCheckBox = 2, kRadio = 4 };

    CSkinCheckButton();
    ~CSkinCheckButton() override;

    // Loads the six bitmaps (a zero idDisabled takes idNormal), shapes the window to the mask's
    // non-white pixels and, in draw mode 0, sizes it to the mask. drawMode: 0 unscaled at the
    // top-left corner, 1 stretched, 2 tiled.
    BOOL SetBitmaps(UINT idNormal, UINT idChecked, UINT idHover, UINT idDisabled, UINT idFocus, UINT idMask,
                    short drawMode, short border, short focusMargin);

    int GetKind() const { return m_nKind; }
    // The kind a template style gives: BS_AUTOCHECKBOX a check box, BS_AUTORADIOBUTTON a radio
    // button, anything else a push button.
    static int KindOfStyle(DWORD style);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    // A click or Space over the button: a check box flips, a radio button checks itself.
    void ToggleFromUser();
    // Posts WM_SKINCHECK_UNCHECK to every other control of this button's group.
    void UncheckGroup();
    void FreeBitmaps();
    void DrawBitmapByMode(CDC* pDC, CBitmap& bitmap, const CRect& rect);
    void BlitByMode(CDC* pDC, CBitmap& bitmap, const CRect& rect, DWORD rop);
    void FillFace(CDC* pDC, const CRect& rect);

    BOOL m_bChecked = FALSE;
    int m_nKind = kPush;
    BYTE m_bTracking = 0;
    BYTE m_bButtonDown = 0;
    CToolTipCtrl m_toolTip;
    CBitmap m_bmpNormal;
    CBitmap m_bmpChecked;
    CBitmap m_bmpDisabled;
    CBitmap m_bmpMask;
    CBitmap m_bmpHover;
    CBitmap m_bmpFocus;
    short m_nFocusMargin = 0;
    COLORREF m_clrText;
    CRgn m_rgnMask;
    short m_nBorder = 0;
    short m_nDrawMode = 1;
    // Where the pointer was at the last mouse message: over the window or not.
    bool m_bPointerOver = false;
};
