#include "controls/NumberEdit.h"

#include "platform/gdi/DC.h"

CNumberEdit::CNumberEdit() : m_brush(0xFFFFFF) {}

CNumberEdit::~CNumberEdit() = default;

void CNumberEdit::SetTextColor(COLORREF colour) {
    m_clrText = colour;
}

HBRUSH CNumberEdit::CtlColor(CDC* pDC, UINT) {
    if (pDC != nullptr)
        pDC->SetTextColor(m_clrText);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

bool CNumberEdit::IsAllowedChar(UINT nChar) {
    return nChar == 8 || nChar == 127 || (nChar >= '0' && nChar <= '9');
}

void CNumberEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!IsAllowedChar(nChar))
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}
