#include "controls/SkinHelper.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/window/Wnd.h"

void CSkinHelper::DrawBitmap(CDC* pDC, HBITMAP hBitmap, int left, int top, int right, int bottom, BOOL bStretch,
                             int nIndex) {
    if (!pDC || !hBitmap)
        return;
    CBitmap* bitmap = CBitmap::FromHandle(hBitmap);
    if (!bitmap)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap* old = memDC.SelectObject(bitmap);
    const int width = right - left;
    const int height = bottom - top;
    if (bStretch) {
        BITMAP bm{};
        bitmap->GetBitmap(&bm);
        pDC->StretchBlt(left, top, width, height, &memDC, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    } else {
        pDC->BitBlt(left, top, width, height, &memDC, width * nIndex, 0, SRCCOPY);
    }
    memDC.SelectObject(old);
    memDC.DeleteDC();
}

void CSkinHelper::SetOpacity(HWND hWnd, BYTE alpha) {
    if (!::IsWindow(hWnd))
        return;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, ::GetWindowLong(hWnd, GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
    ::SetLayeredWindowAttributes(hWnd, RGB(0xFF, 0x00, 0xFF), alpha, LWA_COLORKEY | LWA_ALPHA);
}
