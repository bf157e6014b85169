#include "platform/video/VideoPicture.h"

std::size_t PictureBytes(PictureFormat format, int width, int height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    return IsRgb(format) ? pixels * 3 : pixels + 2 * (std::size_t(width / 2) * (height / 2));
}

RECT GetPictureCrop(PictureFormat format, int width, int height) {
    const bool fields = HasStackedFields(height);
    const LONG x = width == 352 ? 3 : 0;
    RECT crop{};
    crop.left = x;
    crop.top = fields ? 16 : 8;
    // RGB pictures keep their right-hand columns; YUV pictures lose as many there as on the left.
    crop.right = IsRgb(format) ? width : width - x;
    crop.bottom = fields ? height - 8 : height - 4;
    if (crop.right <= crop.left || crop.bottom <= crop.top) {
        return RECT{};
    }
    return crop;
}
