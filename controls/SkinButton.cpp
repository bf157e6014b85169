#include "controls/SkinButton.h"

#include "controls/SkinHelper.h"
#include "controls/UiThreadCall.h"
#include "platform/gdi/DC.h"
#include "platform/window/Cursor.h"

CSkinButton::CSkinButton() : m_hCursorHand(LoadCursor(nullptr, IDC_HAND)), m_hCursorNo(LoadCursor(nullptr, IDC_NO)) {}

// A button destroyed with its owner object reports nothing here: the owner is going away too, and
// a window being torn down is told through WM_DESTROY while it still exists.
CSkinButton::~CSkinButton() = default;

int CSkinButton::CellOfState(int state) {
    return state >= 0 && state <= 7 ? state : 0;
}

void CSkinButton::SetState(int state) {
    if (QueueToUiThread(*this, [state](CSkinButton& b) { b.SetState(state); }))
        return;
    if (!m_bEnabled)
        return;
    m_nState = state;
    Invalidate(TRUE);
}

BOOL CSkinButton::LoadBitmap(UINT id) {
    m_bitmap.DeleteObject();
    m_hBitmap = nullptr;
    if (!m_bitmap.LoadBitmap(id))
        return FALSE;
    m_hBitmap = static_cast<HBITMAP>(m_bitmap.GetSafeHandle());
    if (GetSafeHwnd() != nullptr) {
        const SIZE size = m_bitmap.GetSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CSkinButton::Enable(BOOL bEnable) {
    if (QueueToUiThread(*this, [bEnable](CSkinButton& b) { b.Enable(bEnable); }))
        return;
    if (bEnable) {
        m_nState = 0;
        m_bDisabledLook = FALSE;
    } else {
        ReportReleaseIfPressed();
        m_nState = 3;
        m_bDisabledLook = TRUE;
    }
    m_bEnabled = bEnable ? TRUE : FALSE;
    Invalidate(TRUE);
    EnableWindow(bEnable);
}

void CSkinButton::Show(BOOL bShow) {
    if (QueueToUiThread(*this, [bShow](CSkinButton& b) { b.Show(bShow); }))
        return;
    if (!bShow)
        ReportReleaseIfPressed();
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CSkinButton::PreSubclassWindow() {
    CRect client;
    GetClientRect(&client);
    m_hitRegion.DeleteObject();
    m_hitRegion.CreateRectRgn(0, 0, client.right + 100, client.bottom + 100);
    ModifyStyle(0, BS_OWNERDRAW);
    if (m_toolTip.Create(this, WS_POPUP | TTS_ALWAYSTIP | 0x80)) {
        m_toolTip.AddTool(this, "");
        m_toolTip.Activate(TRUE);
        m_toolTip.SetMaxTipWidth(260);
        m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 1000);
    }
    CButton::PreSubclassWindow();
}

BOOL CSkinButton::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT) {}

// The whole face is drawn here; the background counts as not erased.
BOOL CSkinButton::OnEraseBkgnd(CDC* pDC) {
    PaintFace(pDC);
    return FALSE;
}

void CSkinButton::OnCaptureChanged(CWnd* pWnd) {
    ReportReleaseIfPressed();
    CButton::OnCaptureChanged(pWnd);
}

void CSkinButton::OnDestroy() {
    ReportReleaseIfPressed();
    CButton::OnDestroy();
}

void CSkinButton::OnEnable(BOOL bEnable) {
    if (!bEnable)
        ReportReleaseIfPressed();
    CButton::OnEnable(bEnable);
}

void CSkinButton::OnShowWindow(BOOL bShow, UINT nStatus) {
    if (!bShow)
        ReportReleaseIfPressed();
    CButton::OnShowWindow(bShow, nStatus);
}

void CSkinButton::PaintFace(CDC* pDC) {
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CSkinHelper::DrawBitmap(pDC, m_hBitmap, 0, 0, client.right, client.bottom, FALSE, CellOfState(m_nState));
}

void CSkinButton::SendPress(LPARAM upOrDown) {
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_SKINBUTTON_PRESS, reinterpret_cast<WPARAM>(GetSafeHwnd()), upOrDown);
}

void CSkinButton::ReportReleaseIfPressed() {
    if (!m_bPressReported)
        return;
    m_bPressReported = false;
    SendPress(1);
}

void CSkinButton::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bEnabled) {
        m_bPressReported = true;
        SendPress(0);
    }
    CButton::OnLButtonDown(nFlags, point);
}

// A release reports "up" only for a reported "down": once per press, however the press ends.
void CSkinButton::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bEnabled)
        ReportReleaseIfPressed();
    CButton::OnLButtonUp(nFlags, point);
}

void CSkinButton::SetCursorInHitRegion(CPoint point, HCURSOR cursor) {
    if (m_hitRegion.GetSafeHandle() == nullptr || m_hitRegion.PtInRegion(point))
        SetCursor(cursor);
}

void CSkinButton::TrackLeave() {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
    TrackMouseEvent(&track);
}

void CSkinButton::OnMouseMove(UINT nFlags, CPoint point) {
    SetCursorInHitRegion(point, m_bDisabledLook ? m_hCursorNo : m_hCursorHand);
    if (m_bEnabled) {
        if (m_nState == 0)
            m_nState = 2;
        else if (m_nState == 4)
            m_nState = 6;
    }
    Invalidate(TRUE);
    TrackLeave();
    CButton::OnMouseMove(nFlags, point);
}

void CSkinButton::OnMouseLeave() {
    if (m_nState == 2)
        m_nState = 0;
    else if (m_nState == 6)
        m_nState = 4;
    Invalidate(TRUE);
    CButton::OnMouseLeave();
}
