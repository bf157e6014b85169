#include "platform/window/ClientDC.h"

#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

namespace {

// Shares the target of the window's paint in progress, if any.
void JoinPaint(CDC& dc, HWND hwnd) {
    CWndHost* host = CWndHost::FromHandle(hwnd);
    if (host != nullptr && host->PaintDC() != nullptr) {
        dc.AttachSameTarget(host->PaintDC());
    }
}

} // namespace

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr) {
    JoinPaint(*this, m_hWnd);
    SetRecordWindow(m_hWnd);
}

CClientDC::~CClientDC() {
    ReleaseTarget();
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr) {
    JoinPaint(*this, m_hWnd);
    SetRecordWindow(m_hWnd);
    m_ps.hdc = GetSafeHdc();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_ps.rcPaint = client;
}

CPaintDC::~CPaintDC() {
    ReleaseTarget();
}
