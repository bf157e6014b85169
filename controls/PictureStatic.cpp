#include "controls/PictureStatic.h"

#include "controls/LoadImageFile.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"

CPictureStatic::CPictureStatic() = default;

CPictureStatic::~CPictureStatic() {
    FreeImage();
}

void CPictureStatic::FreeImage() {
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

HBITMAP CPictureStatic::LoadImageFile(LPCSTR path) {
    return ::LoadImageFile(path);
}

BOOL CPictureStatic::LoadImage(LPCSTR path) {
    FreeImage();
    m_hBitmap = LoadImageFile(path);
    BITMAP bm{};
    if (m_hBitmap == nullptr || ::GetObject(m_hBitmap, sizeof(bm), &bm) == 0) {
        FreeImage();
        m_nWidth = 0;
        m_nHeight = 0;
        m_nBpp = 0;
        Invalidate();
        return TRUE;
    }
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
    m_nBpp = bm.bmBitsPixel;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

void CPictureStatic::DrawBitmap(CDC* pDC, HBITMAP hBitmap, int left, int top, int right, int bottom, BOOL bStretch) {
    CBitmap* bitmap = CBitmap::FromHandle(hBitmap);
    if (pDC == nullptr || bitmap == nullptr)
        return;
    CDC source;
    source.CreateCompatibleDC(pDC);
    CBitmap* old = source.SelectObject(bitmap);
    if (bStretch) {
        const SIZE size = bitmap->GetSize();
        const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(left, top, right - left, bottom - top, &source, 0, 0, size.cx, size.cy, SRCCOPY);
        pDC->SetStretchBltMode(oldMode);
    } else {
        pDC->BitBlt(left, top, right - left, bottom - top, &source, 0, 0, SRCCOPY);
    }
    if (old != nullptr)
        source.SelectObject(old);
}

void CPictureStatic::Repaint(CDC* pDC) {
    if (pDC == nullptr || m_hBitmap == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    DrawBitmap(pDC, m_hBitmap, 0, 0, client.right, client.bottom, TRUE);
}

// Asked for its colours while the static paints: the picture goes over the whole client area and the
// system paints no background.
HBRUSH CPictureStatic::CtlColor(CDC* pDC, UINT) {
    Repaint(pDC);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// An owner-drawn picture static (the file preview's) paints here rather than in its colour request.
void CPictureStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr) {
        return;
    }
    Repaint(CDC::FromHandle(lpDrawItemStruct->hDC));
}

BOOL CPictureStatic::OnQueryNewPalette() {
    return 0;
}

void CPictureStatic::OnPaletteChanged(CWnd*) {}
