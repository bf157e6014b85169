#include "media/FullScreenVideoDlg.h"

#include "media/VideoOwner.h"
#include "platform/window/Monitors.h"
#include "protocol/ClientMessages.h"

#include <cstring>

namespace {

// The main window lays its video window out with a gap of 1 and this colour, in and out of full screen.
constexpr int kGap = 1;
constexpr COLORREF kBackground = RGB(150, 150, 150);

// The layouts of the nine split layouts, in button order (1, 4, 6, 7, 8, 9, 10, 13, 16 tiles).
constexpr int kArrangeLayouts[] = {0, 1, 2, 3, 5, 6, 7, 13, 14};

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace

CFullScreenVideoDlg::CFullScreenVideoDlg(IVideoOwner* owner) : CVideoDlg(owner) {}

CFullScreenVideoDlg::~CFullScreenVideoDlg() {
    if (m_arrangeBar) {
        m_arrangeBar->Destroy();
    }
}

void CFullScreenVideoDlg::SetMonitorTable(const MONITORINFOEX table[kMonitors]) {
    std::memcpy(m_monitors, table, sizeof(m_monitors));
}

void CFullScreenVideoDlg::GetMonitorTable(MONITORINFOEX table[kMonitors]) const {
    std::memcpy(table, m_monitors, sizeof(m_monitors));
}

int CFullScreenVideoDlg::SplitButtonOf(int layout) {
    switch (layout) {
    case 0:
    case 1:
    case 2:
        return layout;
    case 3:
    case 4:
        return 3;
    case 5:
        return 4;
    case 6:
        return 5;
    case 7:
    case 8:
    case 9:
    case 10:
        return 6;
    case 11:
    case 12:
    case 13:
        return 7;
    default:
        return 8;
    }
}

int CFullScreenVideoDlg::LayoutOfArrangeButton(int id) {
    if (id < kArrangeFirst || id > kArrangeLast) {
        return -1;
    }
    return kArrangeLayouts[id - kArrangeFirst];
}

RECT CFullScreenVideoDlg::MonitorRect(int monitor) const {
    if (monitor >= 0 && monitor < kMonitors && m_monitors[monitor].cbSize != 0 &&
        !Empty(m_monitors[monitor].rcMonitor)) {
        return m_monitors[monitor].rcMonitor;
    }
    for (const MONITORINFOEX& m : m_monitors) {
        if (m.cbSize != 0 && !Empty(m.rcMonitor)) {
            return m.rcMonitor;
        }
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void CFullScreenVideoDlg::EnterFullScreen(int monitor) {
    if (m_fullScreen || GetSafeHwnd() == nullptr) {
        return;
    }
    m_savedParent = GetParent();
    GetWindowRect(&m_savedRect);
    if (m_savedParent != nullptr) {
        m_savedParent->ScreenToClient(&m_savedRect);
    }
    // Hidden before it leaves the main window, and shown once where it belongs: a window manager
    // that sees a new top-level window mapped, withdrawn and mapped again in a moment can lose the
    // last map, and the full-screen window would then never appear.
    ShowWindow(SW_HIDE);
    ModifyStyle(WS_CHILD, WS_POPUP);
    SetParent(nullptr);
    const RECT area = MonitorRect(monitor);
    if (m_barFactory) {
        m_arrangeBar = m_barFactory(*this);
    }
    if (m_arrangeBar) {
        m_arrangeHot = m_arrangeBar->GetClientRect();
        m_arrangeBar->PopUp(area, kArrangeBarAlpha);
    }
    SetGeometry(area.left, area.top, area.right, area.bottom, kGap, kBackground);
    m_fullScreen = true;
    // Enter and Escape must reach this window: on a desktop without a window manager nothing else
    // would take the keyboard away from the main window.
    SetForegroundWindow();
    SetFocus();
}

void CFullScreenVideoDlg::ExitFullScreen() {
    if (!m_fullScreen) {
        return;
    }
    if (m_arrangeBar) {
        m_arrangeBar->Destroy();
        m_arrangeBar.reset();
    }
    // Back as a child of the main window, where it was.
    ModifyStyle(WS_POPUP, WS_CHILD);
    SetParent(m_savedParent);
    SetGeometry(m_savedRect.left, m_savedRect.top, m_savedRect.right, m_savedRect.bottom, kGap, kBackground);
    m_fullScreen = false;
    if (m_savedParent != nullptr) {
        m_savedParent->ShowWindow(SW_SHOW);
    }
}

void CFullScreenVideoDlg::OnArrangeCommand(int id) {
    const int layout = LayoutOfArrangeButton(id);
    if (layout >= 0) {
        SetArrangeLayout(layout);
        SetLayout(layout);
    } else {
        ExitFullScreen();
    }
    if (IVideoOwner* owner = GetOwner()) {
        owner->ShowSplitButton(SplitButtonOf(GetArrangeLayout()));
    }
}

void CFullScreenVideoDlg::OnShowArrangeBar() {
    if (m_arrangeBar) {
        m_arrangeBar->Show(true);
    }
    SetForegroundWindow();
    SetFocus();
}

bool CFullScreenVideoDlg::InArrangeZone(CPoint point) const {
    RECT client{};
    GetClientRect(&client);
    const int barWidth = m_arrangeHot.right - m_arrangeHot.left;
    const int barHeight = m_arrangeHot.bottom - m_arrangeHot.top;
    const int left = (client.right - barWidth) / 2;
    const int top = client.bottom - barHeight;
    return point.x >= left && point.x < left + barWidth && point.y >= top && point.y < client.bottom;
}

LRESULT CFullScreenVideoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KELO_ARRANGE) {
        OnArrangeCommand(static_cast<int>(wParam));
        return 0;
    }
    if (message == WM_KELO_SHOW_ARRANGE_BAR) {
        OnShowArrangeBar();
        return 0;
    }
    return CVideoDlg::WindowProc(message, wParam, lParam);
}

void CFullScreenVideoDlg::OnMouseMove(UINT nFlags, CPoint point) {
    CVideoDlg::OnMouseMove(nFlags, point);
    // A tile being dragged holds the mouse; the bar is not called then.
    if (m_fullScreen && GetCapture() != this && InArrangeZone(point)) {
        PostMessage(WM_KELO_SHOW_ARRANGE_BAR);
    }
}

void CFullScreenVideoDlg::OnClose() {
    // Full screen, the window is top-level: closing it must not close it, nor the program.
    if (m_fullScreen) {
        return;
    }
    CVideoDlg::OnClose();
}

void CFullScreenVideoDlg::OnDestroy() {
    if (m_arrangeBar) {
        m_arrangeBar->Destroy();
        m_arrangeBar.reset();
    }
    m_fullScreen = false;
    CVideoDlg::OnDestroy();
}
