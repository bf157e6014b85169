#include "controls/SkinCheckButton.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WndHost.h"

#include <algorithm>
#include <vector>

namespace {

// The child controls of a window in template order (the order the host widgets were made in).
std::vector<HWND> ChildrenInOrder(CWnd* parent) {
    std::vector<HWND> children;
    CWndHost* host = parent->GetHost();
    if (host == nullptr)
        return children;
    for (QObject* child : host->children()) {
        auto* control = dynamic_cast<CWndHost*>(child);
        if (control != nullptr && !control->isWindow() && control->Handle() != nullptr)
            children.push_back(control->Handle());
    }
    return children;
}

} // namespace

CSkinCheckButton::CSkinCheckButton() : m_clrText(GetSysColor(COLOR_BTNTEXT)) {}

CSkinCheckButton::~CSkinCheckButton() = default;

int CSkinCheckButton::KindOfStyle(DWORD style) {
    const DWORD s = style & 0xFF;
    if ((s & 3) == 3)
        return kCheckBox;
    if ((s & 9) == 9)
        return kRadio;
    return kPush;
}

void CSkinCheckButton::FreeBitmaps() {
    m_bmpNormal.DeleteObject();
    m_bmpChecked.DeleteObject();
    m_bmpDisabled.DeleteObject();
    m_bmpMask.DeleteObject();
    m_bmpHover.DeleteObject();
    m_bmpFocus.DeleteObject();
}

BOOL CSkinCheckButton::SetBitmaps(UINT idNormal, UINT idChecked, UINT idHover, UINT idDisabled, UINT idFocus,
                                  UINT idMask, short drawMode, short border, short focusMargin) {
    FreeBitmaps();
    if (idDisabled == 0)
        idDisabled = idNormal;
    m_nDrawMode = std::clamp<short>(drawMode, 0, 2);
    m_nBorder = border;
    m_nFocusMargin = std::max<short>(focusMargin, 0);
    const struct {
        UINT id;
        CBitmap* bitmap;
    } loads[] = {{idNormal, &m_bmpNormal},
                 {idChecked, &m_bmpChecked},
                 {idHover, &m_bmpHover},
                 {idDisabled, &m_bmpDisabled},
                 {idFocus, &m_bmpFocus}};
    for (const auto& load : loads) {
        if (load.id != 0)
            load.bitmap->LoadBitmap(load.id);
    }
    if (idMask != 0 && m_bmpMask.LoadBitmap(idMask)) {
        CRgn region;
        if (region.CreateFromMask(static_cast<HBITMAP>(m_bmpMask.GetSafeHandle()), 0xFFFFFF)) {
            m_rgnMask.DeleteObject();
            m_rgnMask.CreateRectRgn(0, 0, 0, 0);
            m_rgnMask.CopyRgn(&region);
            if (GetSafeHwnd() != nullptr)
                SetWindowRgn(static_cast<HRGN>(region.Detach()), TRUE);
        }
        if (m_nDrawMode == 0 && GetSafeHwnd() != nullptr) {
            const SIZE size = m_bmpMask.GetSize();
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Invalidate();
    return TRUE;
}

void CSkinCheckButton::PreSubclassWindow() {
    m_nKind = KindOfStyle(GetStyle());
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CSkinCheckButton::PreTranslateMessage(MSG* pMsg) {
    Relay(pMsg->message, pMsg->wParam, pMsg->lParam);
    return CButton::PreTranslateMessage(pMsg);
}

void CSkinCheckButton::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_toolTip.GetSafeHwnd() == nullptr)
        return;
    MSG msg{GetSafeHwnd(), message, wParam, lParam, 0, {0, 0}};
    m_toolTip.RelayEvent(&msg);
}

BOOL CSkinCheckButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case BM_SETCHECK:
        m_bChecked = (wParam != 0 && m_nKind != kPush) ? TRUE : FALSE;
        if (m_bChecked && m_nKind == kRadio)
            UncheckGroup();
        Invalidate();
        *pResult = 0;
        return TRUE;
    case BM_GETCHECK:
        *pResult = m_bChecked;
        return TRUE;
    case WM_SKINCHECK_UNCHECK:
        if (m_bChecked) {
            m_bChecked = FALSE;
            Invalidate();
        }
        *pResult = 0;
        return TRUE;
    default:
        return CButton::OnWndMsg(message, wParam, lParam, pResult);
    }
}

// The background is never erased: the face covers it.
BOOL CSkinCheckButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CSkinCheckButton::UncheckGroup() {
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    // The group runs from the nearest WS_GROUP control at or before this button up to the next
    // WS_GROUP control; hidden and disabled members belong to it too. A fixed list, so the walk
    // ends whatever the members' states.
    const std::vector<HWND> children = ChildrenInOrder(parent);
    const auto self = std::find(children.begin(), children.end(), GetSafeHwnd());
    if (self == children.end())
        return;
    auto first = self;
    while (first != children.begin() && (::GetWindowLong(*first, GWL_STYLE) & WS_GROUP) == 0)
        --first;
    auto last = self + 1;
    while (last != children.end() && (::GetWindowLong(*last, GWL_STYLE) & WS_GROUP) == 0)
        ++last;
    for (auto it = first; it != last; ++it) {
        if (it != self)
            ::PostMessage(*it, WM_SKINCHECK_UNCHECK, 0, 0);
    }
}

void CSkinCheckButton::ToggleFromUser() {
    if (m_nKind == kCheckBox)
        SendMessage(BM_SETCHECK, m_bChecked ? 0 : 1, 0);
    else if (m_nKind == kRadio)
        SendMessage(BM_SETCHECK, 1, 0);
}

void CSkinCheckButton::OnLButtonDown(UINT nFlags, CPoint point) {
    const MSG* msg = GetCurrentMessage();
    Relay(msg != nullptr ? msg->message : WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    if (m_bTracking) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_CANCEL | TME_LEAVE, GetSafeHwnd(), 0};
        if (TrackMouseEvent(&track))
            m_bTracking = 0;
    }
    CRect client;
    GetClientRect(&client);
    m_bPointerOver = client.PtInRect(point);
    CButton::OnLButtonDown(nFlags, point);
    m_bButtonDown = 1;
}

void CSkinCheckButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);
}

void CSkinCheckButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CRect client;
    GetClientRect(&client);
    m_bPointerOver = client.PtInRect(point);
    if (m_nKind != kPush && m_bPointerOver)
        ToggleFromUser();
    Relay(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
    m_bButtonDown = 0;
    CButton::OnLButtonUp(nFlags, point);
}

void CSkinCheckButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE && m_nKind != kPush)
        ToggleFromUser();
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSkinCheckButton::OnMouseMove(UINT nFlags, CPoint point) {
    Relay(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
    CRect client;
    GetClientRect(&client);
    m_bPointerOver = client.PtInRect(point);
    if (m_bButtonDown && GetCapture() == this) {
        const bool pushed = (GetState() & BST_PUSHED) != 0;
        if (pushed != m_bPointerOver) {
            SetState(m_bPointerOver ? TRUE : FALSE);
            Invalidate();
        }
    }
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
        if (TrackMouseEvent(&track)) {
            m_bTracking = 1;
            Invalidate();
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

void CSkinCheckButton::OnMouseLeave() {
    m_bTracking = 0;
    m_bPointerOver = false;
    Invalidate();
    CButton::OnMouseLeave();
}

void CSkinCheckButton::OnKillFocus(CWnd* pNewWnd) {
    if (GetCapture() == this)
        ReleaseCapture();
    m_bButtonDown = 0;
    CButton::OnKillFocus(pNewWnd);
}

void CSkinCheckButton::OnCaptureChanged(CWnd* pWnd) {
    if (GetCapture() == this)
        ReleaseCapture();
    m_bButtonDown = 0;
    CButton::OnCaptureChanged(pWnd);
}

void CSkinCheckButton::FillFace(CDC* pDC, const CRect& rect) {
    pDC->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
}

void CSkinCheckButton::BlitByMode(CDC* pDC, CBitmap& bitmap, const CRect& rect, DWORD rop) {
    CDC source;
    source.CreateCompatibleDC(pDC);
    CBitmap* old = source.SelectObject(&bitmap);
    const SIZE size = bitmap.GetSize();
    switch (m_nDrawMode) {
    case 0:
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &source, 0, 0, rop);
        break;
    case 1:
        pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &source, 0, 0, size.cx, size.cy, rop);
        break;
    default:
        if (size.cx <= 0 || size.cy <= 0)
            break;
        for (int y = rect.top; y < rect.bottom; y += size.cy) {
            for (int x = rect.left; x < rect.right; x += size.cx) {
                pDC->BitBlt(x, y, std::min<int>(size.cx, rect.right - x), std::min<int>(size.cy, rect.bottom - y),
                            &source, 0, 0, rop);
            }
        }
        break;
    }
    if (old != nullptr)
        source.SelectObject(old);
}

void CSkinCheckButton::DrawBitmapByMode(CDC* pDC, CBitmap& bitmap, const CRect& rect) {
    if (m_bmpMask.GetSafeHandle() == nullptr) {
        BlitByMode(pDC, bitmap, rect, SRCCOPY);
        return;
    }
    // Background XOR picture, AND mask, XOR picture: where the mask is white the background stays.
    CDC work;
    work.CreateCompatibleDC(pDC);
    CBitmap buffer;
    if (!buffer.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
        return;
    CBitmap* old = work.SelectObject(&buffer);
    work.BitBlt(0, 0, rect.Width(), rect.Height(), pDC, rect.left, rect.top, SRCCOPY);
    const CRect local(0, 0, rect.Width(), rect.Height());
    BlitByMode(&work, bitmap, local, SRCINVERT);
    BlitByMode(&work, m_bmpMask, local, SRCAND);
    BlitByMode(&work, bitmap, local, SRCINVERT);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &work, 0, 0, SRCCOPY);
    if (old != nullptr)
        work.SelectObject(old);
}

void CSkinCheckButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr)
        return;
    // While held, first make the pushed look follow the pointer; the change repaints.
    if (m_bButtonDown && GetCapture() == this) {
        const bool pushed = (GetState() & BST_PUSHED) != 0;
        if (m_bPointerOver && !pushed) {
            SetState(TRUE);
            return;
        }
        if (!m_bPointerOver && pushed) {
            SetState(FALSE);
            return;
        }
    }
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const UINT itemState = lpDrawItemStruct->itemState;
    const CRect item(lpDrawItemStruct->rcItem);
    CRect text = item;
    pDC->SetBkMode(TRANSPARENT);
    CString caption;
    GetWindowText(caption);

    if ((itemState & ODS_DISABLED) != 0) {
        if (m_bmpDisabled.GetSafeHandle() != nullptr)
            DrawBitmapByMode(pDC, m_bmpDisabled, item);
        else
            FillFace(pDC, item);
        if (m_nBorder) {
            CRect edge = item;
            pDC->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        }
        pDC->SetTextColor(GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        text.OffsetRect(-1, -1);
        pDC->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }

    if ((itemState & ODS_SELECTED) != 0 || m_bChecked) {
        if (m_bmpChecked.GetSafeHandle() != nullptr)
            DrawBitmapByMode(pDC, m_bmpChecked, item);
        else
            FillFace(pDC, item);
        if (m_nBorder) {
            CRect edge = item;
            pDC->DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
        }
        text.OffsetRect(1, 1);
    } else {
        CBitmap* look = &m_bmpNormal;
        if (m_bTracking && m_bmpHover.GetSafeHandle() != nullptr)
            look = &m_bmpHover;
        else if ((itemState & ODS_FOCUS) != 0 && m_bmpFocus.GetSafeHandle() != nullptr)
            look = &m_bmpFocus;
        if (look->GetSafeHandle() != nullptr)
            DrawBitmapByMode(pDC, *look, item);
        else
            FillFace(pDC, item);
        if (m_nBorder) {
            CRect edge = item;
            pDC->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        }
    }
    if ((itemState & ODS_FOCUS) != 0 && m_nFocusMargin > 0) {
        CRect focus = item;
        focus.DeflateRect(m_nFocusMargin, m_nFocusMargin);
        pDC->DrawFocusRect(&focus);
    }
    pDC->SetTextColor(m_clrText);
    pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
