#pragma once
// The layer's own .bmp reader: BITMAPFILEHEADER + BITMAPINFOHEADER (or a later, longer info header),
// 1, 4, 8 (palette), 16, 24 and 32 bits per pixel, BI_RGB or BI_BITFIELDS, bottom-up or top-down
// rows. Compressed (RLE) files, sizes beyond the layer's limits and files shorter than their
// declared pixels are refused.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

class QImage;

// Largest .bmp file read: a 64-megapixel picture at 32 bits plus headers.
constexpr std::size_t kDibFileMaxBytes = std::size_t(kGdiMaxBitmapPixels) * 4 + 4096;

// A null image for anything refused.
QImage DecodeBmp(const BYTE* data, std::size_t size);
