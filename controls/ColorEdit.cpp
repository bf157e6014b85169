#include "controls/ColorEdit.h"

#include "platform/gdi/DC.h"

CColorEdit::CColorEdit() : m_brush(0xFFFFFF) {}

CColorEdit::~CColorEdit() = default;

void CColorEdit::SetTextColor(COLORREF colour) {
    m_clrText = colour;
}

HBRUSH CColorEdit::CtlColor(CDC* pDC, UINT) {
    if (pDC != nullptr)
        pDC->SetTextColor(m_clrText);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}
