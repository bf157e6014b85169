#pragma once
// The time-server page's world map (Europe at the left, as the zone rectangles are laid out) and the
// highlight of each time zone, cut from a highlighted copy of the same map.

#include <QImage>

struct SkinRow;

class CWorldMapPainter {
public:
    static QImage Paint(const SkinRow& row);
};
