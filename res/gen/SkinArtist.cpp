#include "res/gen/SkinArtist.h"

#include "res/SkinTable.h"
#include "res/gen/BackdropPainter.h"
#include "res/gen/ButtonPainter.h"
#include "res/gen/WidgetPainter.h"
#include "res/gen/WorldMapPainter.h"

QImage CSkinArtist::Paint(const SkinRow& row) {
    switch (row.art) {
    case SkinArt::FaceSlice:
        return CBackdropPainter::FaceSlice(row);
    case SkinArt::IconButton:
        return CButtonPainter::IconButton(row);
    case SkinArt::BarSegment:
        return CButtonPainter::BarSegment(row);
    case SkinArt::TabButton:
        return CButtonPainter::TabButton(row);
    case SkinArt::TextButton:
        return CButtonPainter::TextButton(row);
    case SkinArt::CaptionCell:
        return CButtonPainter::CaptionCell(row);
    case SkinArt::Backdrop:
        return CBackdropPainter::Backdrop(row);
    case SkinArt::Plate:
        return CBackdropPainter::Plate(row);
    case SkinArt::Digits:
        return CWidgetPainter::Digits(row);
    case SkinArt::Track:
        return CWidgetPainter::Track(row);
    case SkinArt::Progress:
        return CWidgetPainter::Progress(row);
    case SkinArt::CheckBox:
        return CWidgetPainter::CheckBox(row);
    case SkinArt::PopupFrame:
        return CWidgetPainter::PopupFrame(row);
    case SkinArt::PopupRow:
        return CWidgetPainter::PopupRow(row);
    case SkinArt::AreaGrid:
        return CWidgetPainter::AreaGrid(row);
    case SkinArt::TimelineBar:
        return CWidgetPainter::TimelineBar(row);
    case SkinArt::OsdIcon:
        return CWidgetPainter::OsdIcon(row);
    case SkinArt::WorldMap:
        return CWorldMapPainter::Paint(row);
    }
    return {};
}
