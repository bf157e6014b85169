#include "platform/window/WndHost.h"

#include "platform/window/HandleMap.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndClassProc.h"

#include <QCloseEvent>

#include <cstring>

CWndHost::CWndHost(QWidget* parent, Qt::WindowFlags flags, const char* className, DWORD style, DWORD exStyle, UINT id)
    : QWidget(parent, flags), m_className(className == nullptr ? "" : className), m_style(style), m_exStyle(exStyle),
      m_id(id) {}

CWndHost::~CWndHost() {
    // A widget deleted by Qt (its parent went, or the application ended) while its window was still
    // registered: forget the window so that no object keeps a handle to a widget that is gone.
    if (m_hwnd != nullptr) {
        CWnd* wnd = CHandleMap::Object(m_hwnd);
        CHandleMap::Remove(m_hwnd);
        if (wnd != nullptr) {
            wnd->m_hWnd = nullptr;
        }
        m_hwnd = nullptr;
    }
}

void CWndHost::Detach() {
    m_hwnd = nullptr;
}

CWnd* CWndHost::Object() const {
    return CHandleMap::Object(m_hwnd);
}

void CWndHost::SetStyle(DWORD style) {
    m_style = style;
    if (m_classProc) {
        m_classProc->StyleChanged(*this);
    }
}

void CWndHost::SetExStyle(DWORD exStyle) {
    m_exStyle = exStyle;
}

bool CWndHost::InputBlocked() const {
    const QWidget* top = window();
    const auto* topHost = dynamic_cast<const CWndHost*>(top);
    return topHost != nullptr && topHost->m_inputBlocked;
}

void CWndHost::AdoptObject(std::unique_ptr<CWnd> object) {
    m_ownedObject = std::move(object);
}

std::unique_ptr<CWnd> CWndHost::ReleaseObject() {
    return std::move(m_ownedObject);
}

CWndHost* CWndHost::Enclosing(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* host = dynamic_cast<CWndHost*>(w)) {
            return host;
        }
        if (w->isWindow()) {
            break;
        }
    }
    return nullptr;
}

LRESULT CWndHost::DefaultProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_classProc) {
        bool handled = false;
        const LRESULT result = m_classProc->DefProc(*this, wnd, message, wParam, lParam, handled);
        if (handled) {
            return result;
        }
    }
    return CommonProc(wnd, message, wParam, lParam);
}

LRESULT CWndHost::CommonProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        wnd.DestroyWindow();
        return 0;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        m_text = text == nullptr ? "" : text;
        if (isWindow()) {
            setWindowTitle(QString::fromUtf8(m_text.GetString()));
        }
        update();
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int size = int(wParam);
        if (buffer == nullptr || size <= 0) {
            return 0;
        }
        const int count = std::min(size - 1, m_text.GetLength());
        std::memcpy(buffer, m_text.GetString(), std::size_t(count));
        buffer[count] = '\0';
        return count;
    }
    case WM_GETTEXTLENGTH:
        return m_text.GetLength();
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) {
            wnd.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            wnd.SendMessage(WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            wnd.ShowWindow(SW_MINIMIZE);
            break;
        case SC_RESTORE:
            wnd.ShowWindow(SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos == nullptr) {
            return 0;
        }
        if ((pos->flags & SWP_NOMOVE) == 0) {
            wnd.SendMessage(WM_MOVE, 0, MAKELPARAM(WORD(SHORT(pos->x)), WORD(SHORT(pos->y))));
        }
        if ((pos->flags & SWP_NOSIZE) == 0) {
            wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(pos->cx), WORD(pos->cy)));
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // Unhandled wheel turns go to the parent, as they do in the original platform.
        CWnd* parent = wnd.GetParent();
        if (parent != nullptr && !isWindow()) {
            return parent->SendMessage(message, wParam, lParam);
        }
        return 0;
    }
    default:
        return 0;
    }
}

void CWndHost::closeEvent(QCloseEvent* event) {
    // Closing stays in the window's own hands: a close request from the window manager (its Alt+F4)
    // travels as Alt+F4 would, so a window that swallows that key in PreTranslateMessage stays open,
    // and otherwise becomes WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE.
    event->ignore();
    CWnd* wnd = Object();
    if (wnd == nullptr) {
        return;
    }
    const HWND hwnd = m_hwnd;
    MSG msg{hwnd, WM_SYSKEYDOWN, VK_F4, LPARAM(0x20000000), 0, {0, 0}};
    if (wnd->PreTranslateMessage(&msg)) {
        return;
    }
    wnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}
