#include "controls/BitmapSlider.h"

#include "controls/MemDC.h"
#include "controls/UiThreadCall.h"
#include "platform/gdi/DC.h"
#include "platform/window/ClientDC.h"

#include <algorithm>
#include <cstdlib>

CBitmapSlider::CBitmapSlider() = default;

CBitmapSlider::~CBitmapSlider() = default;

void CBitmapSlider::SetRange(int nMin, int nMax, BOOL bRedraw) {
    if (QueueToUiThread(*this, [=](CBitmapSlider& s) { s.SetRange(nMin, nMax, bRedraw); }))
        return;
    m_nMin = nMin;
    m_nMax = nMax;
    if (bRedraw)
        Invalidate();
}

void CBitmapSlider::SetPos(int nPos) {
    if (QueueToUiThread(*this, [nPos](CBitmapSlider& s) { s.SetPos(nPos); }))
        return;
    if (nPos > m_nMax)
        nPos = m_nMax;
    if (nPos < m_nMin)
        nPos = m_nMin;
    m_nPos = nPos;
    Invalidate();
}

int CBitmapSlider::SetPageSize(int nSize) {
    const int old = m_nPage;
    m_nPage = nSize;
    return old;
}

void CBitmapSlider::SetMargin(int nLeft, int nTop, int nRight, int nBottom) {
    m_nMarginLeft = nLeft;
    m_nMarginTop = nTop;
    m_nMarginRight = nRight;
    m_nMarginBottom = nBottom;
}

void CBitmapSlider::SetDrawOption(BOOL bDrawFocusRect, BOOL bRedraw) {
    m_bDrawFocusRect = bDrawFocusRect;
    if (bRedraw)
        Invalidate();
}

void CBitmapSlider::SetLitMinimum(int nPixels) {
    m_nLitMinimum = std::max(0, nPixels);
    Invalidate();
}

void CBitmapSlider::Enable(BOOL bEnable) {
    if (QueueToUiThread(*this, [bEnable](CBitmapSlider& s) { s.Enable(bEnable); }))
        return;
    m_bEnable = bEnable ? TRUE : FALSE;
    if (!m_bEnable && m_bLButtonDown) {
        // The drag ends without a release report; the flag goes first so the capture change
        // reports nothing either.
        m_bLButtonDown = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    Invalidate();
}

BOOL CBitmapSlider::SetBitmapChannel(UINT idChannel, UINT idActive, BOOL bTransparent, COLORREF clrTransColor,
                                     int iTransPixelX, int iTransPixelY) {
    (void)iTransPixelX;
    (void)iTransPixelY;
    m_bmChannel.DeleteObject();
    m_bmChannelActive.DeleteObject();
    if (idChannel == 0) {
        m_bChannel = FALSE;
        m_bChannelActive = FALSE;
        return TRUE;
    }
    if (!m_bmChannel.LoadBitmap(idChannel)) {
        m_bChannel = FALSE;
        return FALSE;
    }
    if (idActive != 0 && !m_bmChannelActive.LoadBitmap(idActive)) {
        m_bmChannel.DeleteObject();
        m_bChannel = FALSE;
        m_bChannelActive = FALSE;
        return FALSE;
    }
    m_bChannelActive = idActive != 0 ? TRUE : FALSE;
    m_bTransparentChannel = bTransparent;
    m_clrTransColor = clrTransColor;
    const SIZE size = m_bmChannel.GetSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(&m_rect);
    }
    m_bChannel = TRUE;
    return TRUE;
}

int CBitmapSlider::TrackLength() const {
    return m_bVertical ? m_rect.Height() : m_rect.Width();
}

int CBitmapSlider::ThumbLength() const {
    return m_bVertical ? m_nThumbHeight : m_nThumbWidth;
}

int CBitmapSlider::MarginBefore() const {
    return m_bVertical ? m_nMarginTop : m_nMarginLeft;
}

int CBitmapSlider::MarginAfter() const {
    return m_bVertical ? m_nMarginBottom : m_nMarginRight;
}

int CBitmapSlider::Pos2Pixel(int nPos) const {
    const int thumb = ThumbLength();
    const int before = MarginBefore();
    const int start = thumb / 2 + before;
    if (m_nMax <= m_nMin)
        return start;
    const int travel = TrackLength() - MarginAfter() - thumb;
    const double fraction = (double(nPos) - double(m_nMin)) / (double(m_nMax) - double(m_nMin));
    return start + static_cast<int>(fraction * double(travel - before));
}

int CBitmapSlider::Pixel2Pos(int nPixel) const {
    const int thumb = ThumbLength();
    const int before = MarginBefore();
    const double room = double(TrackLength()) - MarginAfter() - before - thumb;
    if (m_nMax <= m_nMin || room <= 0)
        return m_nMin;
    const double value =
        (double(nPixel) - thumb / 2 - before) / room * (double(m_nMax) - double(m_nMin)) + double(m_nMin);
    return static_cast<int>(std::clamp(value, double(m_nMin), double(m_nMax)));
}

void CBitmapSlider::Notify(UINT message) {
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->PostMessage(message, WPARAM(GetDlgCtrlID()), LPARAM(m_nPos));
}

void CBitmapSlider::DragTo(int along) {
    const int thumb = ThumbLength();
    const int low = MarginBefore() + thumb / 2;
    const int high = TrackLength() - MarginAfter() - thumb / 2;
    int pixel = along - m_nMouseOffset;
    pixel = std::max(low, std::min(pixel, high));
    if (pixel == Pos2Pixel(m_nPos))
        return;
    int pos = Pixel2Pos(pixel);
    if (pos > m_nMax)
        pos = m_nMax;
    if (pos < m_nMin)
        pos = m_nMin;
    if (pos == m_nPos)
        return;
    m_nPos = pos;
    Invalidate();
    Notify(WM_SLIDER_MOVE);
}

void CBitmapSlider::PreSubclassWindow() {
    ModifyStyle(0, SS_NOTIFY);
    GetClientRect(&m_rect);
    CStatic::PreSubclassWindow();
}

void CBitmapSlider::OnSize(UINT nType, int cx, int cy) {
    GetClientRect(&m_rect);
    CStatic::OnSize(nType, cx, cy);
}

BOOL CBitmapSlider::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CBitmapSlider::OnLButtonDown(UINT, CPoint point) {
    if (!m_bEnable)
        return;
    SetCapture();
    SetFocus();
    m_bLButtonDown = TRUE;
    const int along = m_bVertical ? point.y : point.x;
    const int distance = along - Pos2Pixel(m_nPos);
    m_nMouseOffset = std::abs(distance) <= ThumbLength() / 2 ? distance : 0;
    DragTo(along);
    Invalidate();
    Notify(WM_SLIDER_DOWN);
}

void CBitmapSlider::OnMouseMove(UINT, CPoint point) {
    if (!m_bEnable || !m_bLButtonDown)
        return;
    DragTo(m_bVertical ? point.y : point.x);
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint) {
    // A release belongs to a press on the slider: a stray one reports nothing.
    if (!m_bEnable || !m_bLButtonDown)
        return;
    m_bLButtonDown = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
    Notify(WM_SLIDER_UP);
    m_bFocus = FALSE;
    Invalidate();
}

// The capture taken away mid-drag (a popup, another window grabbing the mouse) ends the drag as a
// release would, so the owner never waits for a release that cannot come and the thumb stops
// following a pointer whose button is up.
void CBitmapSlider::OnCaptureChanged(CWnd* pWnd) {
    if (m_bLButtonDown) {
        m_bLButtonDown = FALSE;
        Invalidate();
        Notify(WM_SLIDER_UP);
    }
    CStatic::OnCaptureChanged(pWnd);
}

void CBitmapSlider::OnSetFocus(CWnd* pOldWnd) {
    m_bFocus = TRUE;
    Invalidate();
    CStatic::OnSetFocus(pOldWnd);
}

void CBitmapSlider::OnKillFocus(CWnd* pNewWnd) {
    m_bFocus = FALSE;
    Invalidate();
    CStatic::OnKillFocus(pNewWnd);
}

UINT CBitmapSlider::OnGetDlgCode() {
    // Tab still moves the focus on.
    const MSG* current = GetCurrentMessage();
    const auto* keys = current != nullptr ? reinterpret_cast<const MSG*>(current->lParam) : nullptr;
    if (keys != nullptr && keys->message == WM_KEYDOWN && keys->wParam == VK_TAB)
        return CStatic::OnGetDlgCode();
    return DLGC_WANTALLKEYS;
}

void CBitmapSlider::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
}

void CBitmapSlider::Draw(CDC* pDC) {
    CMemDC dc(pDC);
    const int width = m_rect.Width();
    const int height = m_rect.Height();
    dc.FillSolidRect(&m_rect, pDC->GetBkColor());
    if (m_bChannel) {
        CDC source;
        source.CreateCompatibleDC(&dc);
        CBitmap* old = nullptr;
        if (m_bChannelActive && m_bEnable) {
            const int split = std::min(std::max(Pos2Pixel(m_nPos), m_nLitMinimum), m_bVertical ? height : width);
            old = source.SelectObject(&m_bmChannelActive);
            if (m_bVertical)
                dc.BitBlt(0, 0, width, split, &source, 0, 0, SRCCOPY);
            else
                dc.BitBlt(0, 0, split, height, &source, 0, 0, SRCCOPY);
            source.SelectObject(&m_bmChannel);
            if (m_bVertical)
                dc.BitBlt(0, split, width, height - split, &source, 0, split, SRCCOPY);
            else
                dc.BitBlt(split, 0, width - split, height, &source, split, 0, SRCCOPY);
        } else {
            old = source.SelectObject(&m_bmChannel);
            dc.BitBlt(0, 0, width, height, &source, 0, 0, SRCCOPY);
        }
        if (old != nullptr)
            source.SelectObject(old);
    }
    // The buffer is drawn afresh each time, so the focus rectangle is drawn once or not at all.
    m_bFocusRect = m_bDrawFocusRect && m_bFocus && m_bEnable;
    if (m_bFocusRect)
        dc.DrawFocusRect(&m_rect);
}
