#pragma once
// Dialog data exchange. A dialog's DoDataExchange lists its bindings; UpdateData(FALSE) (run by
// OnInitDialog) puts member values into the controls and attaches bound controls, UpdateData(TRUE)
// (run by OnOK) reads them back and checks them. A failed check stops the rest of the exchange and
// puts the focus on the offending control; UpdateData then returns FALSE.

#include "platform/base/String.h"
#include "platform/window/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control's handle (null when the dialog has no such control), remembered for the checks
    // that follow.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
    bool m_bFail = false;
};

// Attaches the template control nIDC to rControl (once): from then on rControl handles its
// messages; rControl's PreSubclassWindow runs with the template's style.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Text of a control <-> a string. Writing skips a control whose text is already the same, so an
// unchanged field sends no EN_CHANGE.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// After DDX_Text of an edit: limits typing and pasting to nChars characters (EM_LIMITTEXT), and
// fails when reading a longer text.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
