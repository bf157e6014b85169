#pragma once
// Loads a ".tif", ".bmp" or ".jpg" file as a bitmap. The kind comes from the name: ".tif" anywhere in
// it, in any case, means TIFF (read through libtiff as RGBA, colours multiplied by alpha); otherwise
// ".bmp" or ".jpg" anywhere means a BMP or JPEG picture, read by its content. Null for a null path, a
// missing or unreadable file, another name, a damaged picture, or one whose sides are not positive,
// exceed 16384 pixels or together exceed 64 megapixels. The caller owns the bitmap (DeleteObject).

#include "platform/gdi/GdiTypes.h"

HBITMAP LoadImageFile(LPCSTR path);
