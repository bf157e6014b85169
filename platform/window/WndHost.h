#pragma once
// The widget that shows one window. It holds what belongs to the window rather than to the object
// handling it (handle, class, style bits, control id, text, font), turns Qt's events into the
// window's messages and gives the default behaviour of the window's class (DefaultProc).

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <string>

class CWnd;
class CWndClassProc;

class CWndHost : public QWidget {
public:
    CWndHost(QWidget* parent, Qt::WindowFlags flags, const char* className, DWORD style, DWORD exStyle, UINT id);
    ~CWndHost() override;

    HWND Handle() const { return m_hwnd; }
    void SetHandle(HWND hwnd) { m_hwnd = hwnd; }
    // Cuts the widget off its window: it dispatches nothing any more (the window is being destroyed).
    void Detach();
    // The object handling the window (null when none is attached).
    CWnd* Object() const;

    const std::string& ClassName() const { return m_className; }
    bool IsChild() const { return (m_style.load() & WS_CHILD) != 0; }
    DWORD Style() const { return m_style.load(); }
    void SetStyle(DWORD style);
    DWORD ExStyle() const { return m_exStyle.load(); }
    void SetExStyle(DWORD exStyle);
    UINT ControlId() const { return m_id; }
    void SetControlId(UINT id) { m_id = id; }
    const CString& Text() const { return m_text; }
    void SetText(const CString& text) { m_text = text; }

    // A disabled top-level window takes no input, while its children keep their own state.
    bool InputBlocked() const;
    void SetInputBlocked(bool blocked) { m_inputBlocked = blocked; }

    // The plain object made for a window that no program object has claimed yet (template
    // controls); released when a program object subclasses the window.
    void AdoptObject(std::unique_ptr<CWnd> object);
    std::unique_ptr<CWnd> ReleaseObject();
    CWnd* OwnedObject() const { return m_ownedObject.get(); }

    // The class behaviour, then the behaviour every window shares.
    LRESULT DefaultProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
    CWndClassProc* ClassProc() const { return m_classProc.get(); }

    // The host of a widget or of its nearest host ancestor (null when none).
    static CWndHost* Enclosing(QWidget* widget);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    LRESULT CommonProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    std::string m_className;
    std::atomic<DWORD> m_style;
    std::atomic<DWORD> m_exStyle;
    UINT m_id;
    CString m_text;
    bool m_inputBlocked = false;
    std::unique_ptr<CWnd> m_ownedObject;
    std::unique_ptr<CWndClassProc> m_classProc;
};
