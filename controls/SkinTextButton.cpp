#include "controls/SkinTextButton.h"

#include "controls/SkinFont.h"
#include "controls/SkinHelper.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Cursor.h"

#include <cstring>

CSkinTextButton::CSkinTextButton()
    : m_clrText{0x785A5A, 0x785A5A, 0x785A5A, 0xADADAD}, m_hCursorArrow(LoadCursor(nullptr, IDC_ARROW)) {}

void CSkinTextButton::SetFont(int pointSize, int width, int weight, LPCSTR face) {
    m_font.DeleteObject();
    const HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    LOGFONT lf{};
    if (current == nullptr || ::GetObject(current, sizeof(lf), &lf) == 0)
        return;
    m_nFontHeight = SkinFontHeight(pointSize);
    lf.lfHeight = m_nFontHeight;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    if (face != nullptr)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    m_font.CreateFontIndirect(&lf);
}

void CSkinTextButton::SetCaption(int xOffset, CString text, BOOL bCenter) {
    m_nOffsetX = xOffset;
    m_strCaption = text;
    m_bCenter = bCenter;
}

void CSkinTextButton::PaintFace(CDC* pDC) {
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const bool known = m_nState >= 0 && m_nState <= 3;
    const int look = known ? m_nState : 0;
    pDC->SetBkMode(TRANSPARENT);
    CSkinHelper::DrawBitmap(pDC, StripHandle(), 0, 0, client.right, client.bottom, FALSE, look);
    pDC->SetTextColor(m_clrText[look]);
    CFont* oldFont = m_font.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_font) : nullptr;
    CRect text = client;
    text.left += m_nOffsetX;
    const UINT format = m_bCenter ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_VCENTER | DT_SINGLELINE;
    pDC->DrawText(m_strCaption, &text, format);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

// No press reports: the standard button alone.
void CSkinTextButton::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
}

void CSkinTextButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CButton::OnLButtonUp(nFlags, point);
}

void CSkinTextButton::OnMouseMove(UINT nFlags, CPoint point) {
    SetCursorInHitRegion(point, m_hCursorArrow);
    if (m_bEnabled && m_nState == 0) {
        m_nState = 2;
        Invalidate(TRUE);
    }
    TrackLeave();
    CButton::OnMouseMove(nFlags, point);
}

void CSkinTextButton::OnMouseLeave() {
    if (m_bEnabled && m_nState == 2) {
        m_nState = 0;
        Invalidate(TRUE);
    }
    CButton::OnMouseLeave();
}
