#pragma once
// Free functions of the drawing layer, in the shape the program calls them.

#include "platform/gdi/GdiTypes.h"

// Deletes a pen, brush, font, bitmap or region. Stock objects and unknown handles are left alone
// (FALSE). An object still selected into a device context stays usable there until deselected.
BOOL DeleteObject(HGDIOBJ object);

// The layer's stock objects; they are never deleted.
HGDIOBJ GetStockObject(int index);

// Copies the object's description: LOGPEN, LOGBRUSH, LOGFONT or BITMAP. Returns the bytes written,
// 0 for an unknown handle or a buffer too small. With a null buffer, the size needed.
int GetObject(HGDIOBJ object, int size, LPVOID out);
DWORD GetObjectType(HGDIOBJ object);

COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index); // a stock brush of that colour

HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
HFONT CreateFontIndirect(const LOGFONT* font);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL PtInRegion(HRGN region, int x, int y);

// A bitmap made from a device-independent bitmap: 24 or 32 bits per pixel, BI_RGB, rows bottom-up
// (positive height) or top-down, each row padded to 4 bytes. init must be CBM_INIT to copy the bits;
// otherwise the bitmap is black. The layer's own variant takes the size of the bits and refuses a
// buffer too short for the header's picture; both refuse sides beyond the layer's limits (null).
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage);
HBITMAP CreateDIBitmapChecked(const BITMAPINFOHEADER& header, const void* bits, std::size_t bitsSize);
