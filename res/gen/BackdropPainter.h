#pragma once
// Backgrounds: the main window face, dialog, panel and page backgrounds, and the plates and bands
// that labels are drawn on.

#include <QImage>

struct SkinRow;

class CBackdropPainter {
public:
    // The whole 928 x 698 main window face; FaceSlice rows cut their piece from it.
    static const QImage& MainFace();
    static QImage FaceSlice(const SkinRow& row);
    static QImage Backdrop(const SkinRow& row);
    static QImage Plate(const SkinRow& row);
};
