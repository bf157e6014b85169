#include "app/ImagePreviewDlg.h"

#include "platform/base/Rect.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/ClientDC.h"
#include "platform/window/Monitors.h"

#include <algorithm>

namespace {

const DialogTemplate kTemplate{
    .id = CImagePreviewDlg::IDD, .cx = 320, .cy = 240, .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CImagePreviewDlg::CImagePreviewDlg(CWnd* pOwner) : CDialog(IDD, pOwner) {}

CImagePreviewDlg::~CImagePreviewDlg() {
    if (m_hImage != nullptr) {
        DeleteObject(m_hImage);
    }
}

SIZE CImagePreviewDlg::WindowSizeFor(int width, int height, const RECT& available) {
    SIZE size{width + 44, height + 76};
    const LONG maxWidth = available.right - available.left;
    const LONG maxHeight = available.bottom - available.top;
    if (maxWidth > 0) {
        size.cx = std::min(size.cx, maxWidth);
    }
    if (maxHeight > 0) {
        size.cy = std::min(size.cy, maxHeight);
    }
    return size;
}

POINT CImagePreviewDlg::KeepWhole(POINT at, SIZE size, const RECT& area) {
    if (area.right <= area.left || area.bottom <= area.top) {
        return at;
    }
    // A window larger than the area keeps its top left corner in it.
    at.x = std::max(area.left, std::min(at.x, area.right - size.cx));
    at.y = std::max(area.top, std::min(at.y, area.bottom - size.cy));
    return at;
}

BOOL CImagePreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    {
        CClientDC dc(this);
        m_picture.SetDC(&dc);
        m_hImage = m_picture.LoadImageFile(m_strPath);
        m_picture.SetDC(nullptr);
    }
    if (m_hImage == nullptr) {
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    BITMAP bm{};
    if (GetObject(m_hImage, sizeof bm, &bm) != 0) {
        m_nWidth = bm.bmWidth;
        m_nHeight = bm.bmHeight;
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT available{};
    if (GetMonitorInfo(MonitorFromWindow(GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &info)) {
        available = info.rcWork;
    }
    const SIZE size = WindowSizeFor(m_nWidth, m_nHeight, available);
    // The window opened centred at the template's size; grown to the picture it keeps its place
    // unless that would put an edge, and the picture's time with it, off the monitor.
    CRect now;
    GetWindowRect(&now);
    const POINT at = KeepWhole(POINT{now.left, now.top}, size, available);
    UINT flags = SWP_NOZORDER;
    if (at.x == now.left && at.y == now.top) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(nullptr, at.x, at.y, size.cx, size.cy, flags);
    return TRUE;
}

BOOL CImagePreviewDlg::OnEraseBkgnd(CDC* pDC) {
    if (pDC != nullptr && m_hImage != nullptr) {
        CRect client;
        GetClientRect(&client);
        pDC->SetStretchBltMode(COLORONCOLOR);
        m_picture.DrawBitmap(pDC, m_hImage, client.left, client.top, client.right, client.bottom, TRUE);
    }
    return TRUE;
}
