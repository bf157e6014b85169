#pragma once

#include "platform/gdi/GdiObject.h"

#include <cstddef>
#include <functional>
#include <vector>

class CDC;

// A bitmap: 32-bit pixels (0xFFRRGGBB in memory order of the platform's image type), any size up to
// the layer's limits.
class CBitmap : public CGdiObject {
public:
    // Loads bitmap `id` through the resource loader installed with SetResourceLoader (the resource
    // library). FALSE when no loader is installed or the id is missing.
    BOOL LoadBitmap(UINT id);
    // A black bitmap of that size. FALSE for non-positive or excessive sizes.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);

    // bmWidth, bmHeight, bmBitsPixel (32; 1 for monochrome bitmaps made by CreateBitmap), bmPlanes 1,
    // bmWidthBytes. 0 when no bitmap is held.
    int GetBitmap(BITMAP* out) const;
    SIZE GetSize() const;

    // The picture as a 24-bit bottom-up DIB: header (40 bytes, BI_RGB) and rows of width x 3 bytes
    // (blue, green, red) padded with zeros to a multiple of 4. FALSE when no bitmap is held.
    BOOL GetDib24(BITMAPINFOHEADER* header, std::vector<BYTE>* bits) const;

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); } // NOLINT
    static CBitmap* FromHandle(HBITMAP bitmap);

    // The resource library's bitmaps: the loader returns a new bitmap handle for an id, or null.
    // Installed by whoever loads the library; an empty function removes it. Thread-safe.
    using ResourceLoader = std::function<HBITMAP(UINT id)>;
    static void SetResourceLoader(ResourceLoader loader);
};
