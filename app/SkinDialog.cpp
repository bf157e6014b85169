#include "app/SkinDialog.h"

#include "controls/SkinFont.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "res/ResStrings.h"

#include <cstring>

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CSkinDialog::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, m_keys, pMsg);
}

LRESULT CSkinDialog::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    return m_rcDrag.PtInRect(client) ? HTCAPTION : hit;
}

BOOL CSkinDialog::OnEraseBkgnd(CDC*) {
    return FALSE;
}

void CSkinDialog::SetUpTextButton(CSkinTextButton& button, UINT strip, UINT captionId, COLORREF disabledColour) {
    button.LoadBitmap(strip);
    button.SetFont(9, 0, 700, "Arial Bold");
    button.m_clrText[0] = 0xFFFFFF;
    button.m_clrText[1] = 0xFFFFFF;
    button.m_clrText[2] = 0xFFFF00;
    button.m_clrText[3] = disabledColour;
    CString caption;
    LoadResString(caption, captionId);
    button.SetCaption(0, caption, TRUE);
}

void CSkinDialog::MakeSkinFont(CFont& font, int pointSize, int weight, LPCSTR face) {
    font.DeleteObject();
    LOGFONT lf{};
    lf.lfHeight = SkinFontHeight(pointSize);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::strncpy(lf.lfFaceName, face != nullptr ? face : "Arial Bold", LF_FACESIZE - 1);
    font.CreateFontIndirect(&lf);
}

void CSkinDialog::DrawLabelText(CDC* pDC, UINT textId, const RECT& rect) {
    CString text;
    LoadResString(text, textId);
    CFont font;
    MakeSkinFont(font, 9);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(0xFFFFFF);
    CRect r(rect);
    pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old != nullptr) {
        pDC->SelectObject(old);
    }
}
