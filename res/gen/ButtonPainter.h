#pragma once
// Button strips: picture buttons (8 looks), play bar segments, tabs, captioned buttons and calendar
// cells (4 looks). Cells lie side by side, one look each.

#include <QImage>

struct SkinRow;

class CButtonPainter {
public:
    static QImage IconButton(const SkinRow& row);
    static QImage BarSegment(const SkinRow& row);
    static QImage TabButton(const SkinRow& row);
    static QImage TextButton(const SkinRow& row);
    static QImage CaptionCell(const SkinRow& row);
};
