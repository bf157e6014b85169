#include "tests/support/PictureRows.h"

#include "platform/video/VideoPicture.h"

#include <cstring>

namespace {

void DoubleUpperHalf(BYTE* plane, int rowBytes, int rows) {
    // From the bottom up, so that no row is overwritten before it has been copied.
    for (int i = rows / 2 - 1; i >= 0; --i) {
        const BYTE* src = plane + std::size_t(i) * rowBytes;
        std::memmove(plane + std::size_t(2 * i + 1) * rowBytes, src, rowBytes);
        std::memmove(plane + std::size_t(2 * i) * rowBytes, src, rowBytes);
    }
}

void DeinterlacePlane(BYTE* plane, int rowBytes, int rows, int mode) {
    if (mode == 0) {
        for (int row = 0; row + 1 < rows; row += 2) {
            std::memcpy(plane + std::size_t(row + 1) * rowBytes, plane + std::size_t(row) * rowBytes, rowBytes);
        }
        return;
    }
    for (int row = 1; row + 1 < rows; row += 2) {
        const BYTE* above = plane + std::size_t(row - 1) * rowBytes;
        const BYTE* below = plane + std::size_t(row + 1) * rowBytes;
        BYTE* out = plane + std::size_t(row) * rowBytes;
        for (int i = 0; i < rowBytes; ++i) {
            out[i] = BYTE((above[i] + below[i]) >> 1);
        }
    }
}

} // namespace

void CopyRowsForDib(const BYTE* src, BYTE* dst, int width, int height) {
    if (!src || !dst || width <= 0 || height <= 0) {
        return;
    }
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (!HasStackedFields(height)) {
        for (int i = 0; i < height; ++i) {
            std::memcpy(dst + (height - 1 - i) * rowBytes, src + i * rowBytes, rowBytes);
        }
        return;
    }
    const int half = height / 2;
    for (int i = 0; i < half; ++i) {
        std::memcpy(dst + (height - 1 - 2 * i) * rowBytes, src + i * rowBytes, rowBytes);
        std::memcpy(dst + (height - 2 - 2 * i) * rowBytes, src + (half + i) * rowBytes, rowBytes);
    }
}

void DeinterlaceRows(BYTE* picture, int width, int height, bool rgb, int mode) {
    if (!picture || width <= 0 || height <= 0 || (mode != 0 && mode != 1)) {
        return;
    }
    if (rgb) {
        DeinterlacePlane(picture, width * 3, height, mode);
        return;
    }
    const std::size_t luma = std::size_t(width) * height;
    const std::size_t chroma = std::size_t(width / 2) * (height / 2);
    DeinterlacePlane(picture, width, height, mode);
    DeinterlacePlane(picture + luma, width / 2, height / 2, mode);
    DeinterlacePlane(picture + luma + chroma, width / 2, height / 2, mode);
}

void DoubleFirstField(BYTE* yuv, int width, int height) {
    if (!yuv || width <= 0 || !HasStackedFields(height)) {
        return;
    }
    const std::size_t luma = std::size_t(width) * height;
    const std::size_t chroma = std::size_t(width / 2) * (height / 2);
    DoubleUpperHalf(yuv, width, height);
    DoubleUpperHalf(yuv + luma, width / 2, height / 2);
    DoubleUpperHalf(yuv + luma + chroma, width / 2, height / 2);
}
