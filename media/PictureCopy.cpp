#include "media/PictureCopy.h"

#include <cstring>

namespace {

// Rows of `rowBytes` from src, each written twice: row i of the first `rows` to rows 2i and 2i + 1.
void CopyDoubled(const BYTE* src, BYTE* dst, std::size_t rowBytes, int rows) {
    for (int i = 0; i < rows; ++i) {
        const BYTE* from = src + std::size_t(i) * rowBytes;
        BYTE* to = dst + std::size_t(2 * i) * rowBytes;
        std::memcpy(to, from, rowBytes);
        std::memcpy(to + rowBytes, from, rowBytes);
    }
}

void CopyYuv(const BYTE* src, BYTE* dst, int w, int h, PictureLayout& layout) {
    if (!HasStackedFields(h)) {
        std::memcpy(dst, src, PictureBytes(PictureFormat::Yuv420, w, h));
        return;
    }
    const std::size_t luma = std::size_t(w) * h;
    const std::size_t chroma = std::size_t(w / 2) * (h / 2);
    CopyDoubled(src, dst, std::size_t(w), h / 2);
    CopyDoubled(src + luma, dst + luma, std::size_t(w / 2), h / 4);
    CopyDoubled(src + luma + chroma, dst + luma + chroma, std::size_t(w / 2), h / 4);
    layout.firstFieldDoubled = true;
}

void CopyBgr(const BYTE* src, BYTE* dst, int w, int h) {
    const std::size_t rowBytes = std::size_t(w) * 3;
    if (!HasStackedFields(h)) {
        for (int i = 0; i < h; ++i) {
            std::memcpy(dst + std::size_t(h - 1 - i) * rowBytes, src + std::size_t(i) * rowBytes, rowBytes);
        }
        return;
    }
    // Row j of the second field lands on row h - 2 - 2j and is then copied onto row h - 1 - 2j, over
    // the first field's row, which therefore never needs copying.
    for (int j = 0; j < h / 2; ++j) {
        const BYTE* from = src + std::size_t(h / 2 + j) * rowBytes;
        BYTE* to = dst + std::size_t(h - 2 - 2 * j) * rowBytes;
        std::memcpy(to, from, rowBytes);
        std::memcpy(to + rowBytes, from, rowBytes);
    }
}

} // namespace

bool PublishPictureRows(const BYTE* src, std::size_t srcSize, BYTE* dst, std::size_t dstSize, int width, int height,
                        PictureFormat format, PictureLayout& layout) {
    if (src == nullptr || dst == nullptr || width <= 0 || height <= 0 || (width & 1) || (height & 1)) {
        return false;
    }
    // The decoder gives RGB rows top first; the buffer keeps them bottom-up, whatever the format tag.
    const PictureFormat decoded = IsRgb(format) ? PictureFormat::Bgr24Dib : PictureFormat::Yuv420;
    const std::size_t bytes = PictureBytes(decoded, width, height);
    if (bytes == 0 || bytes > srcSize || bytes > dstSize) {
        return false;
    }
    layout = PictureLayout{decoded, width, height, false};
    if (decoded == PictureFormat::Yuv420) {
        CopyYuv(src, dst, width, height, layout);
    } else {
        CopyBgr(src, dst, width, height);
    }
    return true;
}
