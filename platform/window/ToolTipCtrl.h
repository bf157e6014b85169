#pragma once
// A tooltip control. Tools are windows (TTF_IDISHWND: uId is the tool's handle, hwnd the window that
// is asked for the text, normally the tool's parent). The control watches its tools' mouse messages
// (and takes more through RelayEvent): when the pointer rests on a tool for the initial delay, the
// tip shows below the pointer for the auto-pop time; a press or leaving the tool hides it. A tool
// added with LPSTR_TEXTCALLBACK asks its window for the text each time with WM_NOTIFY TTN_NEEDTEXT
// (TOOLTIPTEXT, idFrom = the tool's handle); an empty text shows nothing. Texts wider than the
// maximum width are wrapped at spaces.

#include "platform/window/Wnd.h"

#include <QPoint>

#include <vector>

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl();
    ~CToolTipCtrl() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The tool is pWnd itself (TTF_IDISHWND | TTF_SUBCLASS), answered by pWnd's parent; with a
    // rectangle and id, a part of pWnd (answered by pWnd).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(const TOOLINFO* pToolInfo);
    int GetToolCount() const { return int(m_tools.size()); }
    void Activate(BOOL bActivate);
    int SetMaxTipWidth(int iWidth);
    // TTDT_AUTOMATIC sets initial = n, auto-pop = 10 n, reshow = n / 5; the others set one delay.
    void SetDelayTime(DWORD dwDuration, int iTime);
    // Feeds a mouse message of a tool to the control (moves start the wait, presses hide).
    void RelayEvent(LPMSG lpMsg);
    // Hides the tip if it shows.
    void Pop();

    // Shows the tip of a tool now (the initial delay has passed); FALSE when the tool is not one of
    // this control's or its text is empty.
    BOOL ShowForTool(HWND tool, const QPoint& globalPos);
    // The text shown now (empty when hidden), for tests.
    CString GetShownText() const;

    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDestroy() override;

private:
    struct Tool {
        HWND tool = nullptr;  // the window the tool watches
        HWND owner = nullptr; // the window answering TTN_NEEDTEXT
        UINT flags = 0;
        UINT_PTR id = 0;
        RECT rect{};
        bool callback = false;
        CString text;
        LPARAM lParam = 0;
    };
    Tool* FindTool(HWND hwnd, const POINT& point);
    CString TextOf(const Tool& tool);

    std::vector<Tool> m_tools;
    bool m_active = true;
    int m_maxWidth = -1;
    int m_initial = 500;
    int m_autoPop = 5000;
    int m_reshow = 100;
    HWND m_waitingTool = nullptr;
    QPoint m_waitingPos;
    HWND m_shownTool = nullptr;
    CString m_shownText;
};
