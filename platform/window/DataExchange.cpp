#include "platform/window/DataExchange.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Characters (not bytes) of a UTF-8 text, as an edit's limit counts them.
int CharacterCount(const CString& text) {
    int count = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if ((static_cast<unsigned char>(text.GetAt(i)) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

void WriteIfChanged(HWND hwnd, const char* text) {
    char current[512];
    const int length = GetWindowText(hwnd, current, sizeof current);
    if (length < int(sizeof current) - 1 && std::strcmp(current, text) == 0) {
        return;
    }
    if (length >= int(sizeof current) - 1) {
        CWnd* wnd = CWnd::FromHandle(hwnd);
        CString whole;
        if (wnd != nullptr) {
            wnd->GetWindowText(whole);
        }
        if (whole == text) {
            return;
        }
    }
    SetWindowText(hwnd, text);
}

// The edit control a DDX_Text call exchanges with; nullptr when there is nothing to exchange (an
// earlier field failed, or the dialog has no such control).
CWnd* EditFor(CDataExchange* pDX, int nIDC) {
    if (pDX == nullptr || pDX->m_bFail) {
        return nullptr;
    }
    const HWND hwnd = pDX->PrepareEditCtrl(nIDC);
    return hwnd != nullptr ? CWnd::FromHandle(hwnd) : nullptr;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_idLastControl = UINT(nIDC);
    m_bEditLastControl = FALSE;
    CWnd* item = m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    return item != nullptr ? item->GetSafeHwnd() : nullptr;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    const HWND hwnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hwnd;
}

void CDataExchange::Fail() {
    m_bFail = true;
    if (m_pDlgWnd == nullptr) {
        return;
    }
    if (CWnd* control = m_pDlgWnd->GetDlgItem(int(m_idLastControl))) {
        control->SetFocus();
        if (m_bEditLastControl) {
            control->SendMessage(EM_SETSEL, 0, -1);
        }
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (pDX == nullptr || pDX->m_bFail || rControl.GetSafeHwnd() != nullptr) {
        return;
    }
    const HWND hwnd = pDX->PrepareCtrl(nIDC);
    if (hwnd != nullptr) {
        rControl.SubclassWindow(hwnd);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    CWnd* wnd = EditFor(pDX, nIDC);
    if (wnd == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        wnd->GetWindowText(value);
    } else {
        WriteIfChanged(wnd->GetSafeHwnd(), value.GetString());
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX == nullptr || pDX->m_bFail || pDX->m_pDlgWnd == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        if (CharacterCount(value) > nChars) {
            pDX->Fail();
        }
        return;
    }
    if (pDX->m_bEditLastControl) {
        if (CWnd* control = pDX->m_pDlgWnd->GetDlgItem(int(pDX->m_idLastControl))) {
            control->SendMessage(EM_LIMITTEXT, WPARAM(nChars), 0);
        }
    }
}
