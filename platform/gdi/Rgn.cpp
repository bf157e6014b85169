#include "platform/gdi/Rgn.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/GdiQt.h"

#include <QPolygon>

#include <vector>

namespace {

// GDI rectangles leave out their right and bottom edges.
QRect ToQRect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return QRect();
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    return TakeNew(GdiCreateRegion(QRegion(ToQRect(left, top, right, bottom))));
}

BOOL CRgn::CreateFromMask(HBITMAP mask, COLORREF transparent, bool keepMatching) {
    QImage image = GdiBitmapImage(mask);
    if (image.isNull())
        return FALSE;
    const QRgb key = ColorFromRef(transparent).rgb() & 0xFFFFFF;
    // Runs of one row are one-pixel-high rectangles in y-x order, which is how regions band them.
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x <= image.width(); ++x) {
            bool inside = x < image.width() && (((row[x] & 0xFFFFFF) == key) == keepMatching);
            if (inside && start < 0)
                start = x;
            if (!inside && start >= 0) {
                runs.emplace_back(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    QRegion region;
    if (!runs.empty())
        region.setRects(runs.data(), int(runs.size()));
    return TakeNew(GdiCreateRegion(region));
}

int CRgn::CombineRgn(const CRgn* src1, const CRgn* src2, int mode) {
    if (!src1)
        return ERROR;
    return ::CombineRgn(*this, *src1, src2 ? static_cast<HRGN>(*src2) : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* src) {
    return CombineRgn(src, nullptr, RGN_COPY);
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion(*this, x, y);
}

CRgn* CRgn::FromHandle(HRGN region) {
    return CGdiObjectTable::Wrapper<CRgn>(region, OBJ_REGION);
}
