#include "platform/window/ToolTipCtrl.h"

#include "platform/window/MessagePump.h"
#include "platform/window/WinApp.h"
#include "platform/window/WndHost.h"

#include <QFontMetrics>
#include <QToolTip>

#include <cstring>

namespace {

constexpr UINT_PTR kInitialTimer = 1;
constexpr UINT_PTR kAutoPopTimer = 2;

// Breaks a text into lines no wider than the width, at spaces.
QString Wrap(const QString& text, int width) {
    if (width <= 0) {
        return text;
    }
    const QFontMetrics metrics(QToolTip::font());
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    QString result;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            result += line + QLatin1Char('\n');
            line = word;
        } else {
            line = candidate;
        }
    }
    return result + line;
}

} // namespace

CToolTipCtrl::CToolTipCtrl() = default;

CToolTipCtrl::~CToolTipCtrl() {
    Pop();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    // A window of its own (never shown: Qt draws the tip), owned by the parent so it goes with it.
    return CreateEx(WS_EX_TOOLWINDOW, "tooltips_class32", nullptr, WS_POPUP | (dwStyle & ~WS_VISIBLE), RECT{0, 0, 0, 0},
                    pParentWnd, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.lpszText = const_cast<LPSTR>(lpszText);
    if (lpRectTool == nullptr && nIDTool == 0) {
        info.uFlags |= TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
        info.hwnd = ::GetParent(pWnd->GetSafeHwnd());
    } else {
        info.hwnd = pWnd->GetSafeHwnd();
        info.uId = nIDTool;
        if (lpRectTool != nullptr) {
            info.rect = *lpRectTool;
        }
    }
    return AddTool(&info);
}

BOOL CToolTipCtrl::AddTool(const TOOLINFO* pToolInfo) {
    if (pToolInfo == nullptr || m_hWnd.load() == nullptr) {
        return FALSE;
    }
    Tool tool;
    tool.flags = pToolInfo->uFlags;
    tool.id = pToolInfo->uId;
    tool.owner = pToolInfo->hwnd;
    tool.rect = pToolInfo->rect;
    tool.lParam = pToolInfo->lParam;
    tool.tool = (tool.flags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(pToolInfo->uId) : pToolInfo->hwnd;
    tool.callback = pToolInfo->lpszText == LPSTR_TEXTCALLBACK;
    if (!tool.callback && pToolInfo->lpszText != nullptr && !IS_INTRESOURCE(pToolInfo->lpszText)) {
        tool.text = pToolInfo->lpszText;
    }
    if (tool.owner == nullptr) {
        tool.owner = ::GetParent(tool.tool);
    }
    CWndHost* toolHost = CWndHost::FromHandle(tool.tool);
    if (toolHost == nullptr) {
        return FALSE;
    }
    toolHost->AddToolWatcher(m_hWnd.load());
    m_tools.push_back(tool);
    return TRUE;
}

void CToolTipCtrl::Activate(BOOL bActivate) {
    m_active = bActivate != FALSE;
    if (!m_active) {
        Pop();
    }
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
    const int old = m_maxWidth;
    m_maxWidth = iWidth;
    return old;
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
    switch (dwDuration) {
    case TTDT_AUTOMATIC:
        m_initial = iTime < 0 ? 500 : iTime;
        m_autoPop = m_initial * 10;
        m_reshow = m_initial / 5;
        break;
    case TTDT_INITIAL:
        m_initial = std::max(0, iTime);
        break;
    case TTDT_AUTOPOP:
        m_autoPop = std::max(0, iTime);
        break;
    case TTDT_RESHOW:
        m_reshow = std::max(0, iTime);
        break;
    default:
        break;
    }
}

CToolTipCtrl::Tool* CToolTipCtrl::FindTool(HWND hwnd, const POINT& point) {
    for (Tool& tool : m_tools) {
        if ((tool.flags & TTF_IDISHWND) != 0) {
            if (tool.tool == hwnd) {
                return &tool;
            }
        } else if (tool.tool == hwnd && point.x >= tool.rect.left && point.x < tool.rect.right &&
                   point.y >= tool.rect.top && point.y < tool.rect.bottom) {
            return &tool;
        }
    }
    return nullptr;
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    if (lpMsg == nullptr || m_hWnd.load() == nullptr) {
        return;
    }
    switch (lpMsg->message) {
    case WM_MOUSEMOVE: {
        const POINT point{SHORT(LOWORD(DWORD_PTR(lpMsg->lParam))), SHORT(HIWORD(DWORD_PTR(lpMsg->lParam)))};
        Tool* tool = FindTool(lpMsg->hwnd, point);
        if (tool == nullptr) {
            return;
        }
        POINT screen = point;
        ::ClientToScreen(lpMsg->hwnd, &screen);
        const QPoint global(screen.x, screen.y);
        if (m_shownTool == tool->tool) {
            return;
        }
        const bool reshow = m_shownTool != nullptr;
        Pop();
        if (m_waitingTool != tool->tool || m_waitingPos != global) {
            m_waitingTool = tool->tool;
            m_waitingPos = global;
            SetTimer(kInitialTimer, UINT(std::max(1, reshow ? m_reshow : m_initial)));
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSELEAVE:
        Pop();
        return;
    default:
        return;
    }
}

void CToolTipCtrl::Pop() {
    if (m_hWnd.load() != nullptr) {
        KillTimer(kInitialTimer);
        KillTimer(kAutoPopTimer);
    }
    m_waitingTool = nullptr;
    if (m_shownTool != nullptr) {
        m_shownTool = nullptr;
        m_shownText.Empty();
        if (CMessagePump::IsUiThread()) {
            QToolTip::hideText();
        }
    }
}

CString CToolTipCtrl::TextOf(const Tool& tool) {
    if (!tool.callback) {
        return tool.text;
    }
    TOOLTIPTEXTA request{};
    request.hdr.hwndFrom = m_hWnd.load();
    request.hdr.idFrom = tool.id;
    request.hdr.code = TTN_NEEDTEXTA;
    request.uFlags = tool.flags;
    request.hinst = nullptr;
    request.lParam = tool.lParam;
    request.lpszText = request.szText;
    ::SendMessage(tool.owner, WM_NOTIFY, request.hdr.idFrom, reinterpret_cast<LPARAM>(&request));
    request.szText[sizeof request.szText - 1] = '\0';
    const char* text = request.lpszText;
    if (text == nullptr || IS_INTRESOURCE(text)) {
        return CString();
    }
    if (text == request.szText) {
        return CString(request.szText);
    }
    // A text of the owner's own: taken up to a sane length.
    return CString(text, int(strnlen(text, 1024)));
}

BOOL CToolTipCtrl::ShowForTool(HWND toolHwnd, const QPoint& globalPos) {
    if (!m_active || m_hWnd.load() == nullptr) {
        return FALSE;
    }
    Tool* tool = nullptr;
    for (Tool& t : m_tools) {
        if (t.tool == toolHwnd) {
            tool = &t;
            break;
        }
    }
    CWndHost* host = CWndHost::FromHandle(toolHwnd);
    if (tool == nullptr || host == nullptr) {
        return FALSE;
    }
    const CString text = TextOf(*tool);
    if (text.IsEmpty()) {
        return FALSE;
    }
    m_waitingTool = nullptr;
    KillTimer(kInitialTimer);
    m_shownTool = toolHwnd;
    m_shownText = text;
    QToolTip::showText(globalPos + QPoint(2, 20), Wrap(QString::fromUtf8(text.GetString()), m_maxWidth), host, QRect(),
                       m_autoPop);
    if (m_autoPop > 0) {
        SetTimer(kAutoPopTimer, UINT(m_autoPop));
    }
    return TRUE;
}

CString CToolTipCtrl::GetShownText() const {
    return m_shownText;
}

void CToolTipCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kInitialTimer) {
        KillTimer(kInitialTimer);
        const HWND tool = m_waitingTool;
        if (tool != nullptr && ::IsWindow(tool)) {
            ShowForTool(tool, m_waitingPos);
        }
        return;
    }
    if (nIDEvent == kAutoPopTimer) {
        Pop();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CToolTipCtrl::OnDestroy() {
    Pop();
    for (const Tool& tool : m_tools) {
        if (CWndHost* host = CWndHost::FromHandle(tool.tool)) {
            host->RemoveToolWatcher(m_hWnd.load());
        }
    }
    m_tools.clear();
    CWnd::OnDestroy();
}
