#include "controls/SkinCaptionButton.h"

#include "controls/SkinFont.h"
#include "controls/SkinHelper.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"
#include "platform/window/Cursor.h"

#include <cstring>

CSkinCaptionButton::CSkinCaptionButton()
    : m_clrText{0x785A5A, 0x785A5A, 0x785A5A, 0x785A5A}, m_hCursorHand(LoadCursor(nullptr, IDC_HAND)),
      m_hCursorArrow(LoadCursor(nullptr, IDC_ARROW)) {}

void CSkinCaptionButton::SetFont(int pointSize, int weight, LPCSTR face) {
    m_font.DeleteObject();
    const HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    LOGFONT lf{};
    if (current == nullptr || ::GetObject(current, sizeof(lf), &lf) == 0)
        return;
    m_nFontHeight = SkinFontHeight(pointSize);
    lf.lfHeight = m_nFontHeight;
    lf.lfWeight = weight;
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    if (face != nullptr)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    m_font.CreateFontIndirect(&lf);
}

void CSkinCaptionButton::SetCaption(CString text) {
    m_strCaption = text;
}

void CSkinCaptionButton::PaintFace(CDC* pDC) {
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    int cell = 0;
    int colour = 0;
    switch (m_nState) {
    case 1:
        cell = 1;
        colour = 1;
        break;
    case 2:
        cell = 1;
        colour = 2;
        break;
    case 3:
        cell = 3;
        colour = 3;
        break;
    default:
        break;
    }
    pDC->SetBkMode(TRANSPARENT);
    CSkinHelper::DrawBitmap(pDC, StripHandle(), 0, 0, client.right, client.bottom, FALSE, cell);
    if (m_bMarked == 1) {
        struct Dot {
            BYTE on;
            COLORREF colour;
            RECT box;
        };
        const Dot dots[] = {{m_bMarkRed, 0x0000FF, {8, 18, 14, 24}},
                            {m_bMarkGreen, 0x00FF00, {18, 18, 24, 24}},
                            {m_bMarkBlue, 0xFF0000, {28, 18, 34, 24}}};
        for (const Dot& dot : dots) {
            if (!dot.on)
                continue;
            CPen pen(PS_INSIDEFRAME, 3, dot.colour);
            CPen* oldPen = pDC->SelectObject(&pen);
            pDC->Ellipse(&dot.box);
            if (oldPen != nullptr)
                pDC->SelectObject(oldPen);
        }
    }
    pDC->SetTextColor(m_clrText[colour]);
    CFont* oldFont = m_font.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_font) : nullptr;
    CRect text = client;
    pDC->DrawText(m_strCaption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

// No press reports: the standard button alone.
void CSkinCaptionButton::OnLButtonDown(UINT nFlags, CPoint point) {
    CButton::OnLButtonDown(nFlags, point);
}

void CSkinCaptionButton::OnLButtonUp(UINT nFlags, CPoint point) {
    CButton::OnLButtonUp(nFlags, point);
}

void CSkinCaptionButton::OnMouseMove(UINT nFlags, CPoint point) {
    const bool live = m_bEnabled && m_bMarked == 1;
    SetCursorInHitRegion(point, live ? m_hCursorHand : m_hCursorArrow);
    if (live && m_nState == 1) {
        m_nState = 2;
        Invalidate(TRUE);
    }
    TrackLeave();
    CButton::OnMouseMove(nFlags, point);
}

void CSkinCaptionButton::OnMouseLeave() {
    if (m_bEnabled && m_nState == 2) {
        m_nState = 1;
        Invalidate(TRUE);
    }
    CButton::OnMouseLeave();
}
