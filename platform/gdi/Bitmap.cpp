#include "platform/gdi/Bitmap.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/GdiQt.h"

#include <mutex>

namespace {

std::mutex& LoaderLock() {
    static std::mutex lock;
    return lock;
}

CBitmap::ResourceLoader& Loader() {
    static CBitmap::ResourceLoader loader;
    return loader;
}

bool SizeAllowed(long long width, long long height) {
    return width > 0 && height > 0 && width <= kGdiMaxBitmapSide && height <= kGdiMaxBitmapSide &&
           width * height <= kGdiMaxBitmapPixels;
}

} // namespace

void CBitmap::SetResourceLoader(ResourceLoader loader) {
    std::lock_guard guard(LoaderLock());
    Loader() = std::move(loader);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    ResourceLoader loader;
    {
        std::lock_guard guard(LoaderLock());
        loader = Loader();
    }
    HBITMAP bitmap = loader ? loader(id) : nullptr;
    if (::GetObjectType(bitmap) != OBJ_BITMAP)
        return FALSE;
    return TakeNew(bitmap);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
    // Always a colour bitmap: a context's resolution never makes it monochrome here.
    if (!SizeAllowed(width, height))
        return FALSE;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    image.fill(0xFF000000u);
    return TakeNew(GdiCreateBitmap(image));
}

int CBitmap::GetBitmap(BITMAP* out) const {
    return GetObject(sizeof(BITMAP), out);
}

SIZE CBitmap::GetSize() const {
    BITMAP bm{};
    if (!GetBitmap(&bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

BOOL CBitmap::GetDib24(BITMAPINFOHEADER* header, std::vector<BYTE>* bits) const {
    auto data = CGdiObjectTable::FindAs<GdiBitmapData>(m_hObject, OBJ_BITMAP);
    if (!data || !header || !bits)
        return FALSE;
    const QImage& image = data->image;
    const int width = image.width();
    const int height = image.height();
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    *header = BITMAPINFOHEADER{};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = DWORD(stride * height);
    bits->assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        BYTE* out = bits->data() + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            out[3 * x] = BYTE(qBlue(in[x]));
            out[3 * x + 1] = BYTE(qGreen(in[x]));
            out[3 * x + 2] = BYTE(qRed(in[x]));
        }
    }
    return TRUE;
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return CGdiObjectTable::Wrapper<CBitmap>(bitmap, OBJ_BITMAP);
}
