#pragma once
// Paints the picture of one skin row: the whole strip, cells side by side.

#include <QImage>

struct SkinRow;

class CSkinArtist {
public:
    // The row's picture, cellWidth x cells wide and height high, or a null image for an unknown art.
    static QImage Paint(const SkinRow& row);
};
