#pragma once
// The widget that shows one window. It holds what belongs to the window rather than to the object
// handling it (handle, class, style bits, control id, text, font, region, layering), turns Qt's
// events into the window's messages and gives the default behaviour of the window's class
// (DefaultProc).
//
// Painting: every paint draws into the window's own back buffer (32-bit image) that starts as a copy
// of what lies beneath (the parent's face), sends WM_ERASEBKGND and WM_PAINT with a device context
// on that buffer, then puts the buffer on screen. GetPixel on the paint context reads the window's
// face; masked and exclusive-or blits work on the pixels beneath, as they would on screen. A window
// that paints every pixel itself (Qt::WA_OpaquePaintEvent), without colour key or child windows,
// paints straight onto the screen instead and keeps no face.
//
// Mouse: WM_NCHITTEST is asked on every press: HTCAPTION drags the window by its body (each proposed
// place goes through WM_WINDOWPOSCHANGING), HTTRANSPARENT passes the press to the parent. The capture
// (SetCapture) receives every mouse message while it is held. A top-level window with a shape
// (window region, or the colour key of a layered window) lets presses outside the shape through to
// the window beneath.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CDC;
class CWnd;
class CWndClassProc;
class QKeyEvent;
class QMouseEvent;

class CWndHost : public QWidget {
public:
    CWndHost(QWidget* parent, Qt::WindowFlags flags, const char* className, DWORD style, DWORD exStyle, UINT id);
    ~CWndHost() override;

    static CWndHost* FromHandle(HWND hwnd);
    // The host of a widget or of its nearest host ancestor within the same window (null when none).
    static CWndHost* Enclosing(QWidget* widget);

    HWND Handle() const { return m_hwnd; }
    void SetHandle(HWND hwnd);
    // Cuts the widget off its window: it dispatches nothing any more (the window is being destroyed).
    void Detach();
    // The object handling the window (null when none is attached).
    CWnd* Object() const;

    DWORD Style() const { return m_style.load(); }
    void SetStyle(DWORD style);
    DWORD ExStyle() const { return m_exStyle.load(); }
    void SetExStyle(DWORD exStyle);
    UINT ControlId() const { return m_id; }
    void SetControlId(UINT id);
    // Copies the window's state into the handle table for other threads (see CHandleMap).
    void Publish();
    const CString& Text() const { return m_text; }
    void SetText(const CString& text) { m_text = text; }
    HFONT FontHandle() const { return m_font; }
    void SetFontHandle(HFONT font) { m_font = font; }

    // A disabled top-level window takes no input, while its children keep their own state.
    bool InputBlocked() const;
    void SetInputBlocked(bool blocked) { m_inputBlocked = blocked; }

    // The plain object made for a window that no program object has claimed yet (template
    // controls); released when a program object subclasses the window.
    void AdoptObject(std::unique_ptr<CWnd> object);
    std::unique_ptr<CWnd> ReleaseObject();
    CWnd* OwnedObject() const { return m_ownedObject.get(); }

    // The class behaviour, then the behaviour every window shares.
    void SetClassProc(std::unique_ptr<CWndClassProc> proc);
    CWndClassProc* ClassProc() const { return m_classProc.get(); }
    LRESULT DefaultProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

    // An inner Qt widget doing the class's work (the edit's line editor): its keys and focus become
    // the window's messages; it covers the window.
    void AdoptInner(QWidget* inner);
    // Lets a key event reach the inner widget itself (the edit's default key handling).
    void ForwardKeyToInner(QKeyEvent* event);
    // The key event whose messages are being handled now (null outside key handling).
    static QKeyEvent* CurrentKeyEvent();

    // Painting: the context of the paint in progress (null outside paint) and the window's face.
    CDC* PaintDC() const { return m_paintDC; }

    // WM_MOUSELEAVE is posted once when the pointer next leaves the window.
    void SetTrackLeave(bool on) { m_trackLeave = on; }
    bool TrackLeave() const { return m_trackLeave; }
    // Drags the window by its body from a press at this screen point until the button is released.
    void BeginBodyDrag(const QPoint& globalPos);

    // Window shape: the window region (none = the whole window) and the colour key and opacity of a
    // layered window. Key-coloured pixels of the face are neither shown nor hit.
    void SetWindowRegion(std::optional<QRegion> region);
    void SetLayered(COLORREF key, BYTE alpha, DWORD flags);
    DWORD LayeredFlags() const { return m_layerFlags; }
    // True when the point (client coordinates) is part of the window's shape.
    bool InShape(const QPoint& local) const;

    // Tooltip controls that watch this window as one of their tools.
    void AddToolWatcher(HWND tooltip);
    void RemoveToolWatcher(HWND tooltip);

    // Top-level windows from front to back, as the layer last raised them.
    static std::vector<CWndHost*> TopLevelsFrontToBack();
    // Activates the top-level window of the given window, or, while that one is disabled, the
    // front-most enabled window it owns (the modal dialog that holds it): a disabled window keeps no
    // keyboard.
    static void Activate(HWND hwnd);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    LRESULT CommonProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleMouse(QMouseEvent* event);
    void DispatchMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers, const QPoint& local);
    bool ForwardBelow(QMouseEvent* event);
    bool HandleKey(QKeyEvent* event);
    void HandleFocus(bool in);
    void RelayToWatchers(const MSG& msg);
    void ShowToolTip(const QPoint& globalPos);
    void PaintBase(QPainter& painter, const QRect& area);
    // WM_ERASEBKGND and WM_PAINT with a context on the painter; backing is the image it draws into
    // (null when it draws onto the screen).
    void SendPaintMessages(QPainter& painter, const QRect& area, QImage* backing);
    void ApplyShape();
    void UpdateLayeredMask();
    void BringToFront();
    // This top-level window, or the window it hands its activation to while it is disabled.
    CWndHost* ActivationTarget();

    HWND m_hwnd = nullptr;
    std::string m_className;
    std::atomic<DWORD> m_style;
    std::atomic<DWORD> m_exStyle;
    UINT m_id;
    CString m_text;
    HFONT m_font = nullptr;
    bool m_inputBlocked = false;
    std::unique_ptr<CWnd> m_ownedObject;
    std::unique_ptr<CWndClassProc> m_classProc;
    QPointer<QWidget> m_inner;
    bool m_forwardingToInner = false;

    QImage m_face;
    CDC* m_paintDC = nullptr;

    bool m_trackLeave = false;
    bool m_dragging = false;
    QPoint m_dragStartGlobal;
    QPoint m_dragStartPos;

    std::optional<QRegion> m_windowRegion;
    std::optional<QRegion> m_keyShape;
    COLORREF m_layerKey = 0;
    BYTE m_layerAlpha = 255;
    DWORD m_layerFlags = 0;

    std::vector<HWND> m_toolWatchers;
};
