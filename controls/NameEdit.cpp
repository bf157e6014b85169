#include "controls/NameEdit.h"

#include "platform/gdi/DC.h"

CNameEdit::CNameEdit() : m_brush(0xFFFFFF) {}

CNameEdit::~CNameEdit() = default;

void CNameEdit::SetTextColor(COLORREF colour) {
    m_clrText = colour;
}

HBRUSH CNameEdit::CtlColor(CDC* pDC, UINT) {
    if (pDC != nullptr)
        pDC->SetTextColor(m_clrText);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

bool CNameEdit::IsAllowedChar(UINT nChar) {
    if (nChar == 8 || nChar == 32 || nChar == 127)
        return true;
    if (nChar == '-' || nChar == '.' || nChar == '/' || nChar == '@' || nChar == '_')
        return true;
    return (nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z') || (nChar >= 'a' && nChar <= 'z');
}

void CNameEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsAllowedChar(nChar))
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}
