#pragma once
// Simple vector pictures for buttons, tabs, menus and plates, designed on a 24 x 24 grid and scaled
// into the box they are drawn in.

#include <QColor>
#include <QRectF>

class QPainter;

class CGlyphPainter {
public:
    // alt selects a glyph's second picture where it has one (a muted speaker); accent lets signal
    // colours through (the red of the record dot) where the look is not a disabled one.
    static void Draw(QPainter& p, int glyph, const QRectF& box, QRgb ink, bool alt = false, bool accent = true);
};
