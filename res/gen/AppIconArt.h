#pragma once
// The program's icon (IDI_MAINFRAME): one drawing, described once as shapes on a 256-unit square, painted
// at every size the desktop's icon theme uses and written as a scalable SVG picture of the same shapes.

#include <QByteArray>
#include <QImage>

#include <span>

class CAppIconArt {
public:
    // The sizes painted, ascending: what window managers and the icon theme ask for.
    static std::span<const int> Sizes();
    // The icon at side x side pixels, 32-bit with alpha (not premultiplied).
    static QImage Paint(int side);
    // The same drawing as an SVG document.
    static QByteArray Svg();
};
