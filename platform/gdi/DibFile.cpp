#include "platform/gdi/DibFile.h"

#include "platform/gdi/GdiQt.h"

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

std::uint32_t U32(const BYTE* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const BYTE* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m)
            return;
        while (!((m >> shift) & 1))
            ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1))
            ++bits;
    }
    int Get(std::uint32_t pixel) const {
        if (!bits)
            return 0;
        std::uint32_t v = (pixel & mask) >> shift;
        std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        return int((std::uint64_t(v) * 255 + max / 2) / max);
    }
};

} // namespace

QImage DecodeBmp(const BYTE* data, std::size_t size) {
    constexpr std::size_t kFileHeader = 14;
    if (!data || size < kFileHeader + 40 || size > kDibFileMaxBytes)
        return QImage();
    if (data[0] != 'B' || data[1] != 'M')
        return QImage();
    const std::uint32_t offBits = U32(data + 10);
    const BYTE* info = data + kFileHeader;
    const std::uint32_t infoSize = U32(info);
    if (infoSize < 40 || infoSize > 1024 || kFileHeader + infoSize > size)
        return QImage();
    const std::int64_t width = std::int32_t(U32(info + 4));
    const std::int64_t rawHeight = std::int32_t(U32(info + 8));
    const int planes = U16(info + 12);
    const int bpp = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    const std::uint32_t clrUsed = U32(info + 32);
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kGdiMaxBitmapSide || height > kGdiMaxBitmapSide ||
        width * height > kGdiMaxBitmapPixels || planes != 1)
        return QImage();
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return QImage();
    const bool bitfields = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(bitfields && (bpp == 16 || bpp == 32)))
        return QImage();

    std::size_t tableAt = kFileHeader + infoSize;
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F}; // 16-bit default: 5-5-5
    if (bpp == 32)
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    if (bitfields) {
        // A 40-byte header is followed by the three masks; longer headers hold them.
        const BYTE* at = info + 40;
        if (infoSize == 40) {
            if (tableAt + 12 > size)
                return QImage();
            tableAt += 12;
        } else if (infoSize < 52) {
            return QImage();
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = U32(at + 4 * i);
    }

    std::vector<QRgb> palette;
    if (bpp <= 8) {
        std::uint32_t count = clrUsed ? clrUsed : (1u << bpp);
        if (count > (1u << bpp))
            count = 1u << bpp;
        if (tableAt + std::size_t(count) * 4 > size)
            return QImage();
        for (std::uint32_t i = 0; i < count; ++i) {
            const BYTE* q = data + tableAt + 4 * i;
            palette.push_back(qRgb(q[2], q[1], q[0]));
        }
    }

    const std::uint64_t stride = (std::uint64_t(width) * bpp + 31) / 32 * 4;
    const std::uint64_t pixelsAt = offBits ? offBits : tableAt + palette.size() * 4;
    if (pixelsAt < kFileHeader + 40 || pixelsAt > size || stride * std::uint64_t(height) > size - pixelsAt)
        return QImage();

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (std::int64_t y = 0; y < height; ++y) {
        const BYTE* row = data + pixelsAt + stride * std::uint64_t(topDown ? y : height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (std::int64_t x = 0; x < width; ++x) {
            QRgb c = qRgb(0, 0, 0);
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                const std::int64_t bit = x * bpp;
                const unsigned index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index < palette.size())
                    c = palette[index];
                break;
            }
            case 16: {
                std::uint32_t v = U16(row + 2 * x);
                c = qRgb(red.Get(v), green.Get(v), blue.Get(v));
                break;
            }
            case 24:
                c = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32: {
                std::uint32_t v = U32(row + 4 * x);
                c = qRgb(red.Get(v), green.Get(v), blue.Get(v));
                break;
            }
            }
            out[x] = c;
        }
    }
    return image;
}
