#pragma once
// What every skinned window shares: bitmap-strip drawing and window translucency. Dialogs list this
// class as a second base; its operations are static.

#include "platform/gdi/GdiTypes.h"

class CDC;

class CSkinHelper {
public:
    CSkinHelper() = default;

    // Draws into (left, top, right, bottom) of pDC. bStretch: the whole bitmap stretched into the
    // rectangle. Otherwise cell nIndex of a horizontal strip whose cell width is the rectangle's
    // width, copied unscaled: source x = width x nIndex, y = 0. SRCCOPY. A null bitmap draws nothing;
    // the bitmap is not freed.
    static void DrawBitmap(CDC* pDC, HBITMAP hBitmap, int left, int top, int right, int bottom, BOOL bStretch,
                           int nIndex);

    // Makes the window layered: the rest of it drawn at alpha / 255, pixels of exactly 0xFF00FF fully
    // transparent and not hit by the mouse (alpha 255 keeps the colour key).
    static void SetOpacity(HWND hWnd, BYTE alpha);
};
