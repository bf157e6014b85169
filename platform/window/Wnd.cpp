#include "platform/window/Wnd.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "platform/window/ClientDC.h"
#include "platform/window/DeferredCall.h"
#include "platform/window/HandleMap.h"
#include "platform/window/Icon.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessagePump.h"
#include "platform/window/WinApp.h"
#include "platform/window/WndClassProc.h"
#include "platform/window/WndClasses.h"
#include "platform/window/WndHost.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

bool IsUi() {
    return CMessagePump::IsUiThread();
}

// Off the UI thread, queues the window call to it and says so; on the UI thread the caller runs it.
template <typename F>
bool QueuedToUi(HWND hwnd, F&& call) {
    if (hwnd == nullptr || IsUi()) {
        return false;
    }
    CMessagePump::PostCall(hwnd, std::forward<F>(call));
    return true;
}

Qt::WindowFlags FlagsFor(DWORD style, DWORD exStyle, bool hasOwner) {
    if ((style & WS_CHILD) != 0) {
        return Qt::Widget;
    }
    Qt::WindowFlags flags = Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION) {
        flags |= Qt::FramelessWindowHint;
    }
    if ((exStyle & WS_EX_TOPMOST) != 0) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    if ((exStyle & WS_EX_NOACTIVATE) != 0) {
        flags |= Qt::WindowDoesNotAcceptFocus; // never given the keyboard, by a window manager either
    }
    if ((exStyle & WS_EX_TOOLWINDOW) != 0 || hasOwner) {
        // An owned window floats above its owner and stays out of the task list.
        flags |= Qt::Tool;
    }
    return flags;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    CancelPostNcDestroy();
    const HWND hwnd = m_hWnd.exchange(nullptr);
    if (hwnd == nullptr || CHandleMap::Object(hwnd) != this) {
        return;
    }
    // The object goes before its window: the window is torn down without telling this object
    // (it is half destroyed), while other objects in the tree still hear of it.
    CHandleMap::SetObject(hwnd, nullptr);
    if (!IsUi()) {
        CMessagePump::PostTask([hwnd] {
            if (auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd))) {
                std::vector<CWnd*> destroyed;
                DestroyTree(host, destroyed);
                for (CWnd* w : destroyed) {
                    w->SchedulePostNcDestroy();
                }
            }
        });
        return;
    }
    if (auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd))) {
        std::vector<CWnd*> destroyed;
        DestroyTree(host, destroyed);
        for (CWnd* w : destroyed) {
            w->SchedulePostNcDestroy();
        }
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return CHandleMap::Object(hwnd);
}

CWndHost* CWnd::GetHost() const {
    return dynamic_cast<CWndHost*>(CHandleMap::Widget(m_hWnd.load()));
}

BOOL CWnd::IsWindow() const {
    return CHandleMap::Contains(m_hWnd.load());
}

// ---- creation and destruction

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* pParent, UINT nID) {
    return CreateEx(0, className, windowName, style, rect, pParent, nID);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* pParent,
                    UINT nID) {
    if (!IsUi() || m_hWnd.load() != nullptr) {
        return FALSE;
    }
    CWndHost* parentHost = pParent != nullptr ? pParent->GetHost() : nullptr;
    if ((style & WS_CHILD) != 0 && parentHost == nullptr) {
        return FALSE;
    }
    auto* host = new CWndHost(parentHost, FlagsFor(style, exStyle, parentHost != nullptr), className,
                              style & ~WS_VISIBLE, exStyle, nID);
    const HWND hwnd = CHandleMap::Add(this, host);
    host->SetHandle(hwnd);
    m_hWnd = hwnd;
    host->SetText(windowName == nullptr ? "" : windowName);
    host->setGeometry(rect.left, rect.top, std::max(0L, long(rect.right - rect.left)),
                      std::max(0L, long(rect.bottom - rect.top)));
    host->SetClassProc(CWndClasses::MakeProc(className));
    if ((style & WS_CHILD) != 0) {
        // A child stays hidden until shown, even when its parent is shown later.
        host->hide();
    }
    if ((style & WS_CHILD) == 0 && windowName != nullptr) {
        host->setWindowTitle(QString::fromUtf8(windowName));
    }
    OnAttached();
    if (SendMessage(WM_CREATE, 0, 0) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if ((style & WS_DISABLED) != 0) {
        host->SetStyle(host->Style() & ~WS_DISABLED);
        EnableWindow(FALSE);
    }
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CWnd::DestroyTree(CWndHost* host, std::vector<CWnd*>& destroyed) {
    const HWND hwnd = host->Handle();
    if (hwnd == nullptr) {
        return;
    }
    if (::GetCapture() == hwnd) {
        ReleaseCapture();
    }
    if (CWnd* wnd = CHandleMap::Object(hwnd)) {
        if (wnd->m_modalLoop != nullptr) {
            wnd->EndModalLoop(wnd->m_modalResult);
        }
        wnd->SendMessage(WM_DESTROY, 0, 0);
    }
    // Children (and owned top-level windows) go after their parent hears WM_DESTROY and before it
    // hears WM_NCDESTROY.
    std::vector<QPointer<CWndHost>> children;
    for (QObject* child : host->children()) {
        if (auto* childHost = dynamic_cast<CWndHost*>(child)) {
            children.emplace_back(childHost);
        }
    }
    for (auto& child : children) {
        if (!child.isNull()) {
            DestroyTree(child.data(), destroyed);
        }
    }
    CWnd* wnd = CHandleMap::Object(hwnd);
    if (wnd != nullptr) {
        wnd->SendMessage(WM_NCDESTROY, 0, 0);
        wnd = CHandleMap::Object(hwnd);
    }
    CMessagePump::KillTimers(hwnd);
    CHandleMap::Remove(hwnd);
    host->Detach();
    if (wnd != nullptr) {
        wnd->m_hWnd = nullptr;
    }
    if (std::unique_ptr<CWnd> owned = host->ReleaseObject()) {
        // The plain object of an unclaimed control goes with its window, once the current message
        // is done with it.
        CWnd* plain = owned.release();
        CDeferredCall::Schedule([plain] { delete plain; });
    } else if (wnd != nullptr) {
        destroyed.push_back(wnd);
    }
    host->hide();
    host->deleteLater();
}

BOOL CWnd::DestroyWindow() {
    const HWND hwnd = m_hWnd.load();
    if (hwnd == nullptr) {
        return FALSE;
    }
    if (QueuedToUi(hwnd, [](CWnd& w) { w.DestroyWindow(); })) {
        return TRUE;
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        m_hWnd = nullptr;
        return FALSE;
    }
    std::vector<CWnd*> destroyed;
    DestroyTree(host, destroyed);
    for (CWnd* w : destroyed) {
        w->SchedulePostNcDestroy();
    }
    return TRUE;
}

void CWnd::SchedulePostNcDestroy() {
    if (m_pendingNcDestroy != nullptr) {
        return;
    }
    m_pendingNcDestroy = CDeferredCall::Schedule([this] {
        m_pendingNcDestroy = nullptr;
        PostNcDestroy();
    });
}

void CWnd::CancelPostNcDestroy() {
    if (m_pendingNcDestroy != nullptr) {
        m_pendingNcDestroy->Cancel();
        m_pendingNcDestroy = nullptr;
    }
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!IsUi() || m_hWnd.load() != nullptr) {
        return FALSE;
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr || host->Handle() != hwnd) {
        return FALSE;
    }
    CWnd* previous = CHandleMap::Object(hwnd);
    if (previous != nullptr) {
        previous->m_hWnd = nullptr;
    }
    std::unique_ptr<CWnd> plain;
    if (previous != nullptr && previous == host->OwnedObject()) {
        plain = host->ReleaseObject();
    }
    CHandleMap::SetObject(hwnd, this);
    m_hWnd = hwnd;
    PreSubclassWindow();
    OnAttached();
    if (plain) {
        // Not deleted here: the plain object may be on the stack of a message being handled.
        CWnd* old = plain.release();
        CDeferredCall::Schedule([old] { delete old; });
    }
    return TRUE;
}

// ---- timers

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD)) {
    return ::SetTimer(m_hWnd.load(), nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd.load(), nIDEvent);
}

UINT CWnd::GetTimerInterval(UINT_PTR nIDEvent) const {
    return CMessagePump::TimerInterval(m_hWnd.load(), nIDEvent);
}

// ---- modal loop

namespace {
// The windows whose modal loops run now, outermost first (UI thread only).
std::vector<CWnd*> g_modalWindows;
} // namespace

int CWnd::RunModalLoop(DWORD dwFlags) {
    (void)dwFlags;
    if (!IsUi() || m_hWnd.load() == nullptr || m_modalLoop != nullptr) {
        return -1;
    }
    m_continueModal = true;
    QEventLoop loop;
    m_modalLoop = &loop;
    g_modalWindows.push_back(this);
    loop.exec(QEventLoop::AllEvents);
    g_modalWindows.erase(std::find(g_modalWindows.begin(), g_modalWindows.end(), this));
    m_modalLoop = nullptr;
    return m_modalResult;
}

int CWnd::EndModalLoopsInside(const CWnd* keep, int result) {
    if (!CMessagePump::IsUiThread()) {
        return 0;
    }
    int ended = 0;
    // Boxes of the toolkit run loops of their own (message boxes, the folder chooser).
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QDialog*>(widget);
        if (box != nullptr && box->isVisible() && box->isModal()) {
            box->reject();
            ++ended;
        }
    }
    const auto kept = std::find(g_modalWindows.begin(), g_modalWindows.end(), keep);
    const std::size_t from = kept == g_modalWindows.end() ? 0 : std::size_t(kept - g_modalWindows.begin()) + 1;
    for (std::size_t i = g_modalWindows.size(); i > from; --i) {
        CWnd* wnd = g_modalWindows[i - 1];
        if (wnd->m_continueModal || wnd->m_modalLoop != nullptr) {
            wnd->EndModalLoop(result);
            ++ended;
        }
    }
    return ended;
}

void CWnd::EndModalLoop(int nResult) {
    m_modalResult = nResult;
    m_continueModal = false;
    if (m_modalLoop != nullptr) {
        m_modalLoop->exit(nResult);
    }
}

// ---- state and identity

CWnd* CWnd::GetParent() const {
    if (!IsUi()) {
        return FromHandle(CHandleMap::GetState(m_hWnd.load()).parent);
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return nullptr;
    }
    CWndHost* parent = CWndHost::Enclosing(host->parentWidget());
    return parent != nullptr ? parent->Object() : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
    if (!IsUi()) {
        HWND hwnd = m_hWnd.load();
        for (int depth = 0; hwnd != nullptr && depth < 64; ++depth) {
            const CHandleMap::State state = CHandleMap::GetState(hwnd);
            if ((state.style & WS_CHILD) == 0 || state.parent == nullptr) {
                return FromHandle(hwnd);
            }
            hwnd = state.parent;
        }
        return nullptr;
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return nullptr;
    }
    auto* top = dynamic_cast<CWndHost*>(host->window());
    return top != nullptr ? top->Object() : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    if (!IsUi()) {
        return FromHandle(CHandleMap::FindChild(m_hWnd.load(), UINT(nID)));
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return nullptr;
    }
    for (QObject* child : host->children()) {
        auto* childHost = dynamic_cast<CWndHost*>(child);
        if (childHost != nullptr && childHost->Handle() != nullptr && !childHost->isWindow() &&
            int(childHost->ControlId()) == nID) {
            return childHost->Object();
        }
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const {
    if (!IsUi()) {
        return int(CHandleMap::GetState(m_hWnd.load()).id);
    }
    CWndHost* host = GetHost();
    return host != nullptr ? int(host->ControlId()) : 0;
}

DWORD CWnd::GetStyle() const {
    if (!IsUi()) {
        return CHandleMap::GetState(m_hWnd.load()).style;
    }
    CWndHost* host = GetHost();
    return host != nullptr ? host->Style() : 0;
}

DWORD CWnd::GetExStyle() const {
    if (!IsUi()) {
        return CHandleMap::GetState(m_hWnd.load()).exStyle;
    }
    CWndHost* host = GetHost();
    return host != nullptr ? host->ExStyle() : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT nFlags) {
    (void)nFlags;
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return FALSE;
    }
    const DWORD old = host->Style();
    const DWORD updated = (old & ~remove) | add;
    if (updated == old) {
        return FALSE;
    }
    host->SetStyle(updated);
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    const HWND hwnd = m_hWnd.load();
    if (QueuedToUi(hwnd, [nCmdShow](CWnd& w) { w.ShowWindow(nCmdShow); })) {
        return TRUE;
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return FALSE;
    }
    const bool wasVisible = (host->Style() & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    }
    switch (nCmdShow) {
    case SW_HIDE:
        host->SetStyle(host->Style() & ~WS_VISIBLE);
        host->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        host->SetStyle(host->Style() | WS_VISIBLE);
        if (host->isWindow()) {
            host->showMinimized();
        } else {
            host->show();
        }
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        host->SetStyle(host->Style() | WS_VISIBLE);
        if (host->isWindow() && host->isMinimized()) {
            host->showNormal();
        } else {
            host->show();
        }
        break;
    default:
        host->SetStyle(host->Style() | WS_VISIBLE);
        host->show();
        break;
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    if (!IsUi()) {
        return CHandleMap::GetState(m_hWnd.load()).visible ? TRUE : FALSE;
    }
    CWndHost* host = GetHost();
    return host != nullptr && host->isVisible() ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    const HWND hwnd = m_hWnd.load();
    if (QueuedToUi(hwnd, [bEnable](CWnd& w) { w.EnableWindow(bEnable); })) {
        return FALSE;
    }
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return FALSE;
    }
    const bool wasDisabled = (host->Style() & WS_DISABLED) != 0;
    const bool disable = bEnable == FALSE;
    if (wasDisabled == disable) {
        return wasDisabled ? TRUE : FALSE;
    }
    host->SetStyle(disable ? (host->Style() | WS_DISABLED) : (host->Style() & ~WS_DISABLED));
    if (host->isWindow()) {
        host->SetInputBlocked(disable);
    } else {
        host->setEnabled(!disable);
    }
    if (disable && ::GetCapture() != nullptr && ::GetCapture() == hwnd) {
        ReleaseCapture();
    }
    SendMessage(WM_ENABLE, disable ? FALSE : TRUE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    if (!IsUi()) {
        const HWND hwnd = m_hWnd.load();
        return CHandleMap::Contains(hwnd) && (CHandleMap::GetState(hwnd).style & WS_DISABLED) == 0 ? TRUE : FALSE;
    }
    CWndHost* host = GetHost();
    return host != nullptr && (host->Style() & WS_DISABLED) == 0 ? TRUE : FALSE;
}

void CWnd::SetWindowText(LPCTSTR text) {
    const HWND hwnd = m_hWnd.load();
    if (hwnd == nullptr) {
        return;
    }
    if (!IsUi()) {
        std::string copy = text == nullptr ? "" : text;
        CMessagePump::PostCall(hwnd, [copy](CWnd& w) { w.SetWindowText(copy.c_str()); });
        return;
    }
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text == nullptr ? "" : text));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL /*bBigIcon*/) {
    CWndHost* host = GetHost();
    if (host == nullptr || !IsUi()) {
        return nullptr;
    }
    const HICON old = std::exchange(m_icon, hIcon);
    const QIcon icon = IconImage(hIcon);
    host->window()->setWindowIcon(icon);
    if (AfxGetMainWnd() == this) {
        QApplication::setWindowIcon(icon);
    }
    return old;
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    if (!IsUi()) {
        return 0;
    }
    return int(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, WPARAM(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLength();
    if (length <= 0) {
        text.Empty();
        return;
    }
    char* buffer = text.GetBufferSetLength(length);
    const int got = GetWindowText(buffer, length + 1);
    text.ReleaseBuffer(got);
}

int CWnd::GetWindowTextLength() const {
    if (!IsUi()) {
        return 0;
    }
    return int(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetDlgItemText(int nID, LPCTSTR text) {
    if (CWnd* item = GetDlgItem(nID)) {
        item->SetWindowText(text);
    }
}

int CWnd::GetDlgItemText(int nID, CString& text) const {
    text.Empty();
    CWnd* item = GetDlgItem(nID);
    if (item == nullptr) {
        return 0;
    }
    item->GetWindowText(text);
    return text.GetLength();
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* pTranslated, BOOL bSigned) const {
    if (pTranslated != nullptr) {
        *pTranslated = FALSE;
    }
    CString text;
    if (GetDlgItem(nID) == nullptr) {
        return 0;
    }
    GetDlgItemText(nID, text);
    // Leading and trailing blanks are allowed; anything else but digits (and one sign) fails.
    const char* p = text.GetString();
    while (*p == ' ') {
        ++p;
    }
    bool negative = false;
    if (bSigned && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') {
        return 0;
    }
    unsigned long long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + unsigned(*p - '0');
        if (value > 0xFFFFFFFFULL) {
            return 0;
        }
        ++p;
    }
    while (*p == ' ') {
        ++p;
    }
    if (*p != '\0') {
        return 0;
    }
    if (bSigned && value > (negative ? 0x80000000ULL : 0x7FFFFFFFULL)) {
        return 0;
    }
    if (pTranslated != nullptr) {
        *pTranslated = TRUE;
    }
    return negative ? UINT(0U - UINT(value)) : UINT(value);
}

// ---- geometry

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL bRepaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint) {
    if (rect != nullptr) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, bRepaint);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    const HWND hwnd = m_hWnd.load();
    const HWND after = pWndInsertAfter == nullptr ? HWND_TOP
                       : (pWndInsertAfter == reinterpret_cast<const CWnd*>(HWND_TOPMOST) ||
                          pWndInsertAfter == reinterpret_cast<const CWnd*>(HWND_NOTOPMOST) ||
                          pWndInsertAfter == reinterpret_cast<const CWnd*>(HWND_BOTTOM))
                           ? reinterpret_cast<HWND>(const_cast<CWnd*>(pWndInsertAfter))
                           : pWndInsertAfter->m_hWnd.load();
    return ::SetWindowPos(hwnd, after, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd.load(), rect);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd.load(), rect);
}

void CWnd::ClientToScreen(LPPOINT point) const {
    ::ClientToScreen(m_hWnd.load(), point);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd.load(), point);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (rect == nullptr) {
        return;
    }
    POINT topLeft{rect->left, rect->top};
    ::ScreenToClient(m_hWnd.load(), &topLeft);
    const LONG dx = topLeft.x - rect->left;
    const LONG dy = topLeft.y - rect->top;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    CWndHost* host = GetHost();
    if (host == nullptr || !IsUi()) {
        return;
    }
    RECT mine{};
    GetWindowRect(&mine);
    const int width = mine.right - mine.left;
    const int height = mine.bottom - mine.top;
    CWnd* owner = pAlternateOwner != nullptr ? pAlternateOwner : GetParent();
    RECT area{};
    if (owner != nullptr && owner->IsWindowVisible()) {
        owner->GetWindowRect(&area);
    } else {
        QScreen* screen = host->screen() != nullptr ? host->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            return;
        }
        const QRect available = screen->availableGeometry();
        area = RECT{available.left(), available.top(), available.right() + 1, available.bottom() + 1};
    }
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    if (host->isWindow()) {
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    POINT topLeft{x, y};
    if (CWnd* parent = GetParent()) {
        parent->ScreenToClient(&topLeft);
    }
    SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() {
    CWndHost* host = GetHost();
    if (host != nullptr && IsUi()) {
        host->raise();
    }
}

BOOL CWnd::SetForegroundWindow() {
    CWndHost* host = GetHost();
    if (host == nullptr || !IsUi()) {
        return FALSE;
    }
    QWidget* top = host->window();
    top->raise();
    if (!top->isActiveWindow()) {
        top->activateWindow();
    }
    return TRUE;
}

// ---- painting

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd.load(), nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL bErase) {
    ::InvalidateRect(m_hWnd.load(), rect, bErase);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd.load());
}

BOOL CWnd::RedrawWindow(LPCRECT rectUpdate, void* rgnUpdate, UINT flags) {
    (void)rgnUpdate;
    const HWND hwnd = m_hWnd.load();
    if (hwnd == nullptr) {
        return FALSE;
    }
    if ((flags & RDW_INVALIDATE) != 0) {
        ::InvalidateRect(hwnd, rectUpdate, (flags & RDW_ERASE) != 0);
    }
    if ((flags & RDW_UPDATENOW) != 0) {
        ::UpdateWindow(hwnd);
    }
    return TRUE;
}

// ---- fonts and contexts

CFont* CWnd::GetFont() const {
    if (!IsUi()) {
        return nullptr;
    }
    const auto font = reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT, 0, 0));
    return font != nullptr ? CFont::FromHandle(font) : nullptr;
}

CDC* CWnd::GetDC() {
    return new CClientDC(this);
}

int CWnd::ReleaseDC(CDC* pDC) {
    delete pDC;
    return pDC != nullptr ? 1 : 0;
}

// ---- parent, shape

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    CWndHost* host = GetHost();
    if (host == nullptr || !IsUi()) {
        return nullptr;
    }
    CWnd* old = GetParent();
    CWndHost* parentHost = pWndNewParent != nullptr ? pWndNewParent->GetHost() : nullptr;
    const DWORD style = host->Style();
    if ((style & WS_CHILD) != 0 && parentHost == nullptr) {
        return nullptr;
    }
    const QPoint place = host->isWindow() ? host->pos() : host->geometry().topLeft();
    host->setParent(parentHost, FlagsFor(style, host->ExStyle(), parentHost != nullptr));
    host->move(place);
    host->Publish();
    if ((style & WS_VISIBLE) != 0) {
        host->show();
    }
    return old;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const {
    CWndHost* mine = GetHost();
    CWndHost* other = pWnd != nullptr ? pWnd->GetHost() : nullptr;
    if (mine == nullptr || other == nullptr || other == mine) {
        return FALSE;
    }
    for (QWidget* w = other; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        if (w->parentWidget() == mine) {
            return TRUE;
        }
    }
    return FALSE;
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) {
    return ::SetWindowRgn(m_hWnd.load(), hRgn, bRedraw);
}

namespace {

bool TakesPart(CWndHost* host) {
    return host->Handle() != nullptr && host->isVisibleTo(host->parentWidget()) && (host->Style() & WS_VISIBLE) != 0 &&
           (host->Style() & WS_DISABLED) == 0;
}

void CollectTabOrder(QWidget* parent, std::vector<CWndHost*>& out) {
    for (QObject* child : parent->children()) {
        auto* host = dynamic_cast<CWndHost*>(child);
        if (host == nullptr || host->isWindow() || host->Handle() == nullptr) {
            continue;
        }
        if ((host->Style() & WS_TABSTOP) != 0 && TakesPart(host)) {
            out.push_back(host);
        }
        if ((host->Style() & WS_VISIBLE) != 0) {
            CollectTabOrder(host, out);
        }
    }
}

} // namespace

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
    CWndHost* ctl = pWndCtl != nullptr ? pWndCtl->GetHost() : nullptr;
    if (ctl == nullptr || ctl->parentWidget() == nullptr) {
        return pWndCtl;
    }
    std::vector<CWndHost*> siblings;
    for (QObject* child : ctl->parentWidget()->children()) {
        auto* host = dynamic_cast<CWndHost*>(child);
        if (host != nullptr && !host->isWindow() && host->Handle() != nullptr) {
            siblings.push_back(host);
        }
    }
    const auto at = std::find(siblings.begin(), siblings.end(), ctl);
    if (at == siblings.end()) {
        return pWndCtl;
    }
    // The group runs from the last WS_GROUP control at or before ctl to just before the next one.
    std::size_t first = std::size_t(at - siblings.begin());
    while (first > 0 && (siblings[first]->Style() & WS_GROUP) == 0) {
        --first;
    }
    std::size_t end = std::size_t(at - siblings.begin()) + 1;
    while (end < siblings.size() && (siblings[end]->Style() & WS_GROUP) == 0) {
        ++end;
    }
    const std::size_t count = end - first;
    const std::size_t index = std::size_t(at - siblings.begin()) - first;
    for (std::size_t step = 1; step < count; ++step) {
        const std::size_t i = bPrevious ? (index + count - step) % count : (index + step) % count;
        CWndHost* candidate = siblings[first + i];
        if (TakesPart(candidate)) {
            return candidate->Object();
        }
    }
    return pWndCtl;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return nullptr;
    }
    std::vector<CWndHost*> order;
    CollectTabOrder(host, order);
    if (order.empty()) {
        return nullptr;
    }
    CWndHost* ctl = pWndCtl != nullptr ? pWndCtl->GetHost() : nullptr;
    const auto at = std::find(order.begin(), order.end(), ctl);
    if (at == order.end()) {
        return (bPrevious ? order.back() : order.front())->Object();
    }
    const std::size_t index = std::size_t(at - order.begin());
    const std::size_t next = bPrevious ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
    return order[next]->Object();
}

// ---- focus and capture

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd.load()));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd.load()));
}

CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}
