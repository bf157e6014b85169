#pragma once
// Small helpers of the drawing tests: canvases, pixels, ink bounds.

#include "platform/gdi/GdiQt.h"

#include <QImage>

#include <optional>

inline QImage Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ColorFromRef(fill));
    return image;
}

inline COLORREF Px(const QImage& image, int x, int y) {
    return RefFromRgb(image.pixel(x, y));
}

// The bounding box of every pixel that differs from `background`, if any.
inline std::optional<QRect> Ink(const QImage& image, COLORREF background) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Px(image, x, y) != background)
                box = box.united(QRect(x, y, 1, 1));
    if (box.isNull())
        return std::nullopt;
    return box;
}
