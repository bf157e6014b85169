#include "platform/gdi/Gdi.h"

#include "platform/gdi/DibFile.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/GdiQt.h"

#include <cstring>
#include <utility>

BOOL DeleteObject(HGDIOBJ object) {
    return CGdiObjectTable::Remove(object) ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int index) {
    return CGdiObjectTable::Stock(index);
}

DWORD GetObjectType(HGDIOBJ object) {
    auto data = CGdiObjectTable::Find(object);
    return data ? data->kind : 0;
}

namespace {

template <class T>
int CopyOut(const T& value, int size, LPVOID out) {
    if (!out)
        return int(sizeof(T));
    if (size < int(sizeof(T)))
        return 0;
    std::memcpy(out, &value, sizeof(T));
    return int(sizeof(T));
}

} // namespace

int GetObject(HGDIOBJ object, int size, LPVOID out) {
    auto data = CGdiObjectTable::Find(object);
    if (!data)
        return 0;
    switch (data->kind) {
    case OBJ_PEN: {
        auto& pen = static_cast<const GdiPenData&>(*data);
        LOGPEN lp{UINT(pen.style), POINT{pen.width, 0}, pen.color};
        return CopyOut(lp, size, out);
    }
    case OBJ_BRUSH: {
        auto& brush = static_cast<const GdiBrushData&>(*data);
        LOGBRUSH lb{brush.style, brush.color, 0};
        return CopyOut(lb, size, out);
    }
    case OBJ_FONT:
        return CopyOut(static_cast<const GdiFontData&>(*data).logFont, size, out);
    case OBJ_BITMAP: {
        auto& bitmap = static_cast<const GdiBitmapData&>(*data);
        BITMAP bm{};
        bm.bmWidth = bitmap.image.width();
        bm.bmHeight = bitmap.image.height();
        bm.bmBitsPixel = bitmap.bitsPixel;
        bm.bmPlanes = 1;
        bm.bmWidthBytes = LONG(((long long)bm.bmWidth * bm.bmBitsPixel + 15) / 16 * 2);
        return CopyOut(bm, size, out);
    }
    default:
        return 0;
    }
}

COLORREF GetSysColor(int index) {
    // The classic desktop look.
    static constexpr COLORREF colors[] = {
        RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    };
    if (index < 0 || index >= int(std::size(colors)))
        return 0;
    return colors[index];
}

HBRUSH GetSysColorBrush(int index) {
    return CGdiObjectTable::SysColorBrush(index);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<GdiBrushData>();
    brush->color = color & 0xFFFFFF;
    return static_cast<HBRUSH>(CGdiObjectTable::Add(brush));
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    auto pen = std::make_shared<GdiPenData>();
    pen->style = style;
    pen->width = width < 0 ? 0 : width;
    pen->color = color & 0xFFFFFF;
    return static_cast<HPEN>(CGdiObjectTable::Add(pen));
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (!font)
        return nullptr;
    auto data = std::make_shared<GdiFontData>();
    data->logFont = *font;
    data->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(CGdiObjectTable::Add(data));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return GdiCreateRegion(QRegion(QRect(left, top, right - left, bottom - top)));
}

namespace {

int RegionType(const QRegion& region) {
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    auto out = CGdiObjectTable::FindAs<GdiRegionData>(dest, OBJ_REGION);
    auto a = CGdiObjectTable::FindAs<GdiRegionData>(src1, OBJ_REGION);
    if (!out || !a)
        return ERROR;
    if (mode == RGN_COPY) {
        out->region = a->region;
        return RegionType(out->region);
    }
    auto b = CGdiObjectTable::FindAs<GdiRegionData>(src2, OBJ_REGION);
    if (!b)
        return ERROR;
    switch (mode) {
    case RGN_AND:
        out->region = a->region.intersected(b->region);
        break;
    case RGN_OR:
        out->region = a->region.united(b->region);
        break;
    case RGN_XOR:
        out->region = a->region.xored(b->region);
        break;
    case RGN_DIFF:
        out->region = a->region.subtracted(b->region);
        break;
    default:
        return ERROR;
    }
    return RegionType(out->region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    auto data = CGdiObjectTable::FindAs<GdiRegionData>(region, OBJ_REGION);
    return data && data->region.contains(QPoint(x, y)) ? TRUE : FALSE;
}

HBITMAP CreateDIBitmapChecked(const BITMAPINFOHEADER& header, const void* bits, std::size_t bitsSize) {
    const long long width = header.biWidth;
    const long long height = header.biHeight < 0 ? -(long long)header.biHeight : header.biHeight;
    const int bpp = header.biBitCount;
    if (width <= 0 || height <= 0 || width > kGdiMaxBitmapSide || height > kGdiMaxBitmapSide ||
        width * height > kGdiMaxBitmapPixels)
        return nullptr;
    if ((bpp != 24 && bpp != 32) || header.biCompression != BI_RGB)
        return nullptr;
    const long long stride = (width * bpp + 31) / 32 * 4;
    if (bits && (unsigned long long)(stride * height) > bitsSize)
        return nullptr;
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.fill(0xFF000000u);
    if (bits) {
        const bool bottomUp = header.biHeight > 0;
        const auto* src = static_cast<const BYTE*>(bits);
        const int step = bpp / 8;
        for (long long row = 0; row < height; ++row) {
            const BYTE* in = src + stride * (bottomUp ? height - 1 - row : row);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(row)));
            for (long long x = 0; x < width; ++x, in += step)
                out[x] = qRgb(in[2], in[1], in[0]);
        }
    }
    return GdiCreateBitmap(image);
}

HBITMAP CreateDIBitmap(HDC, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO*, UINT) {
    if (!header)
        return nullptr;
    if (!(init & CBM_INIT))
        bits = nullptr;
    // The caller vouches for the bits covering the header's picture, as with the Windows call.
    const long long width = header->biWidth;
    const long long height = header->biHeight < 0 ? -(long long)header->biHeight : header->biHeight;
    const long long stride = (width * header->biBitCount + 31) / 32 * 4;
    const long long size = width > 0 && height > 0 ? stride * height : 0;
    return CreateDIBitmapChecked(*header, bits, std::size_t(size));
}
