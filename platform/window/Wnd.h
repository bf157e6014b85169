#pragma once
// CWnd: an object that handles the messages of one window.
//
// A window is a host widget (CWndHost) known by its handle, an id in the process-wide handle table
// that is never reused. The object attached to the handle gets the window's messages in its virtual
// WindowProc, which cracks them and calls the virtual On... handlers below; a handler that does not
// finish a message itself calls the base (or Default()), which ends in DefWindowProc: the default
// behaviour of the window's class (push button, static, edit, report list, dialog, plain window).
// An object may also never have a window and use DestroyWindow only as a teardown hook: every call
// on such an object is safe and does nothing.
//
// Threads: widgets live on the UI thread. From any other thread PostMessage queues; SendMessage and
// the calls that change a window (show, enable, move, text, invalidate, destroy, timers) are queued
// to the UI thread and return at once (SendMessage gives 0); a worker never waits for the UI thread.
// Queued work is dropped if the window is gone by the time it runs. Reads from a worker (style, id,
// parent, GetDlgItem, visibility, rectangles) see the state the UI thread last published; a
// window's text cannot be read from a worker (empty). Creating windows is for the UI thread only.
//
// A program control class (a skinned button, label, slider...) derives from CButton, CStatic, CEdit
// or CListCtrl and is bound to its template control with DDX_Control in the dialog's
// DoDataExchange. Its PreSubclassWindow sees the template's style and may change it (add
// BS_OWNERDRAW, SS_NOTIFY, LVS_OWNERDRAWFIXED); it draws in OnEraseBkgnd(CDC*) and/or in DrawItem
// (owner draw, reached through the parent's WM_DRAWITEM), and overrides the On... handlers it needs,
// calling the base to keep the standard behaviour (capture, BN_CLICKED, STN_CLICKED, EN_CHANGE).

#include "platform/base/Point.h"
#include "platform/base/Rect.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

#include <atomic>
#include <vector>

class CWndHost;
class CDeferredCall;
class CDC;
class CFont;
class CDataExchange;
class QEventLoop;
class QWidget;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window's handle; null while the object has no window. Read it from any thread.
    std::atomic<HWND> m_hWnd{nullptr};
    HWND GetSafeHwnd() const { return m_hWnd.load(); }
    operator HWND() const { return GetSafeHwnd(); } // NOLINT: the program passes windows as handles

    // The object attached to a handle, or null for an unknown or destroyed handle (callers check).
    static CWnd* FromHandle(HWND hwnd);

    // ---- creation and destruction (UI thread)
    // className: "BUTTON", "STATIC", "EDIT", "SysListView32", "#32770" (dialog) or null (plain window).
    // A WS_CHILD window lies at rect in its parent's client area; any other window is top-level at
    // rect in screen coordinates (frameless unless WS_CAPTION), owned by pParent when given.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* pParent, UINT nID);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* pParent,
                  UINT nID);
    // Destroys the window and its children (WM_DESTROY, then WM_NCDESTROY children first), stops
    // its timers and releases the capture. FALSE when there is no window. PostNcDestroy of every
    // destroyed object runs later, after the message being handled now has been finished.
    virtual BOOL DestroyWindow();
    // Runs once the window is gone and the current message is done; `delete this` is safe here.
    virtual void PostNcDestroy() {}
    // Called when an existing window is attached to this object (DDX_Control, SubclassWindow); the
    // window's style is the template's and may be changed here (ModifyStyle).
    virtual void PreSubclassWindow() {}
    // Attaches this object to an existing window: from now on it gets the window's messages and its
    // DefWindowProc is the window's class behaviour. FALSE when the handle is unknown or this object
    // already has a window.
    BOOL SubclassWindow(HWND hwnd);
    // Whether the object has a live window.
    BOOL IsWindow() const;

    // ---- messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Cracks the message and calls the handlers; unhandled messages go to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default behaviour of the window's class.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc with the message now being handled (as a handler's "then the default").
    LRESULT Default();
    // Input and posted messages pass here first, from the target window up to its top-level window;
    // TRUE stops the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers the message to PreTranslateMessage of its window and of each parent up to the
    // top-level window; TRUE when one of them stopped it.
    static BOOL WalkPreTranslateTree(MSG* pMsg);
    // The cracking step of WindowProc; TRUE when a handler took the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Notifications the parent passes back to the control that sent them (WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM, WM_CTLCOLOR...); TRUE when the control handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The message now being handled on this thread, or null.
    static const MSG* GetCurrentMessage();

    // ---- timers (WM_TIMER with the id; setting an id again restarts it)
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // The interval of a running timer of this window, 0 when none (for tests and diagnostics).
    UINT GetTimerInterval(UINT_PTR nIDEvent) const;

    // ---- nested modal loop: delivers posted messages, timers, paints and input until EndModalLoop
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual void EndModalLoop(int nResult);
    virtual BOOL ContinueModal() { return m_continueModal; }
    BOOL IsInModalLoop() const { return m_modalLoop != nullptr; }
    // Ends every modal loop that runs inside `keep`'s (all of them when keep is null or runs none),
    // innermost first, with `result`, and rejects the toolkit's own modal boxes. UI thread. The number
    // of loops and boxes told to end.
    static int EndModalLoopsInside(const CWnd* keep, int result);

    // ---- state and identity
    CWnd* GetParent() const;
    // The top-level window this window belongs to (itself when top-level).
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT nFlags = 0);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    // A child window is disabled as a Qt widget; a top-level window only stops taking input, so its
    // children keep their own enabled state and look.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCTSTR text);
    // The window's icon, big and small alike; the main window's is also that of every window without one.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR text);
    int GetDlgItemText(int nID, CString& text) const;
    UINT GetDlgItemInt(int nID, BOOL* pTranslated = nullptr, BOOL bSigned = TRUE) const;

    // ---- geometry; sizes are client sizes (windows have no frame of their own)
    void MoveWindow(int x, int y, int width, int height, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL bRepaint = TRUE);
    // Every change of place or size first asks the window with WM_WINDOWPOSCHANGING, whose handler
    // may adjust the proposed place in the WINDOWPOS record.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // In screen coordinates.
    void GetWindowRect(LPRECT rect) const;
    // (0, 0, width, height).
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    // Centres on the owner (or the screen holding it, for windows without an owner).
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    // Raises the window's top-level window and makes it the one that receives the keyboard, with a
    // window manager (which is asked to) and without one (the X focus is set on it).
    BOOL SetForegroundWindow();

    // ---- painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rectUpdate = nullptr, void* rgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    // The font set with WM_SETFONT (WM_GETFONT); the window does not own it.
    CFont* GetFont() const;
    // A drawing context for measuring outside painting. Drawing on it shows nothing: windows are
    // drawn in their WM_ERASEBKGND / WM_PAINT handlers only (Invalidate, then draw there). Inside
    // the window's own paint it draws on the paint context's target. Release with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // ---- parent, shape, layering
    // Moves the window under another parent (null: the desktop). The window's style decides whether
    // it is a child (WS_CHILD) or a top-level window; it keeps its position numbers.
    CWnd* SetParent(CWnd* pWndNewParent);
    BOOL IsChild(const CWnd* pWnd) const;
    // The window takes the region (and frees it); null removes the window's region.
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    // ---- dialog navigation over the child controls, in template order
    // Next control of pWndCtl's group (WS_GROUP starts a group), skipping hidden and disabled ones;
    // pWndCtl itself when no other qualifies.
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    // Next WS_TABSTOP control (visible and enabled) among all descendants, wrapping around.
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // ---- focus and capture
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // The host widget of the window, or null (UI thread; for the layer and for tests).
    CWndHost* GetHost() const;
    // For the layer: WindowProc with the message recorded as the one being handled (for Default()).
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Delivery of a posted message on the UI thread: PreTranslateMessage walk, then WindowProc.
    void DeliverPosted(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- message handlers; each default calls Default() unless said otherwise
    virtual int OnCreate(void* lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    virtual void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnEnable(BOOL bEnable);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    virtual void OnMouseLeave();
    // point in screen coordinates.
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual UINT OnGetDlgCode();
    // Control notifications (WM_COMMAND): wParam = MAKEWPARAM(id, code), lParam = the control's handle.
    // TRUE when handled; the default handles nothing (CDialog handles IDOK and IDCANCEL).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: lParam points at an NMHDR; TRUE when handled, *pResult is the answer.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void OnPaint();
    // pDC paints the window's face; TRUE reports the background erased.
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    // A control asks its parent for colours; the default passes the question back to the control
    // (CtlColor), then gives the system colours.
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // The default passes the drawing back to the control (its DrawItem).
    virtual void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    // The colour question as the control itself answers it; null leaves it to the default.
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    virtual HICON OnQueryDragIcon();
    virtual BOOL OnQueryNewPalette();
    virtual void OnPaletteChanged(CWnd* pFocusWnd);

protected:
    // Called by the layer when the window gets its handle (creation or subclassing) or loses it.
    virtual void OnAttached() {}

private:
    friend class CWndHost;
    friend class CDialog;
    static void DestroyTree(CWndHost* host, std::vector<CWnd*>& destroyed);
    void SchedulePostNcDestroy();
    void CancelPostNcDestroy();

    QEventLoop* m_modalLoop = nullptr;
    CDeferredCall* m_pendingNcDestroy = nullptr;
    HICON m_icon = nullptr;

protected:
    // The modal loop's state: it runs while m_continueModal holds; EndModalLoop sets the result.
    bool m_continueModal = false;
    int m_modalResult = -1;
};

// ---- the handle-shaped calls
BOOL IsWindow(HWND hwnd);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL EnableWindow(HWND hwnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount);
HWND GetParent(HWND hwnd);
int GetDlgCtrlID(HWND hwnd);
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
BOOL KillTimer(HWND hwnd, UINT_PTR nIDEvent);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL bErase);
BOOL UpdateWindow(HWND hwnd);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// TME_LEAVE: one WM_MOUSELEAVE (posted) when the pointer next leaves the window; TME_CANCEL stops it.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// The window must have WS_EX_LAYERED. LWA_ALPHA: opacity alpha/255 (shown where a compositor runs);
// LWA_COLORKEY: pixels of the key colour in the window's face are neither shown nor hit.
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
