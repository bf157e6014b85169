#pragma once
// The standard behaviour of EDIT windows (see Edit.h).

#include "platform/window/WndClassProc.h"

#include <QMetaObject>
#include <QPointer>

class QLineEdit;

class CEditProc : public CWndClassProc {
public:
    ~CEditProc() override;
    void Attach(CWndHost& host) override;
    void StyleChanged(CWndHost& host) override;
    bool InnerEvent(CWndHost& host, QEvent* event) override;
    LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void NotifyParent(CWndHost& host, WORD code);
    void ApplyColours(CWndHost& host);
    void Paste(CWndHost& host);

    QPointer<QLineEdit> m_edit;
    QMetaObject::Connection m_changed;
    bool m_settingText = false;
    // The typing limit (EM_LIMITTEXT), in characters. The line editor's own limit stays at its
    // maximum: a text set by the program is never cut.
    int m_limit = 30000;
};
