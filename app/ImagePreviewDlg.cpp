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

// The work area of the monitor nearest the window; empty when there is none.
RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
        return RECT{};
    }
    return info.rcWork;
}

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

void CImagePreviewDlg::KeepWholeOnMonitor() {
    CRect now;
    GetWindowRect(&now);
    const POINT at = KeepWhole(POINT{now.left, now.top}, SIZE{now.Width(), now.Height()}, WorkAreaOf(GetSafeHwnd()));
    if (at.x != now.left || at.y != now.top) {
        SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

LRESULT CImagePreviewDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMsgKeepWhole) {
        KeepWholeOnMonitor();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
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
    const SIZE size = WindowSizeFor(m_nWidth, m_nHeight, WorkAreaOf(GetSafeHwnd()));
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    // The window opened centred at the template's size; grown to the picture it keeps its place
    // unless that would put an edge, and the picture's time with it, off the monitor.
    KeepWholeOnMonitor();
    PostMessage(kMsgKeepWhole);
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
