#pragma once
// Small widget pictures: clock digits, slider tracks, progress strips, check boxes, popup pieces,
// area editor grids, timeline colours and the video overlay icons.

#include <QImage>

struct SkinRow;

class CWidgetPainter {
public:
    static QImage Digits(const SkinRow& row);
    static QImage Track(const SkinRow& row);
    static QImage Progress(const SkinRow& row);
    static QImage CheckBox(const SkinRow& row);
    static QImage PopupFrame(const SkinRow& row);
    static QImage PopupRow(const SkinRow& row);
    static QImage AreaGrid(const SkinRow& row);
    static QImage TimelineBar(const SkinRow& row);
    static QImage OsdIcon(const SkinRow& row);
};
