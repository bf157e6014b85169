#include "platform/gdi/GdiQt.h"

#include "platform/gdi/GdiObjectTable.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <unordered_map>

HBITMAP GdiCreateBitmap(const QImage& image) {
    if (image.isNull() || image.width() > kGdiMaxBitmapSide || image.height() > kGdiMaxBitmapSide ||
        (long long)image.width() * image.height() > kGdiMaxBitmapPixels)
        return nullptr;
    auto data = std::make_shared<GdiBitmapData>();
    data->image = image.convertToFormat(QImage::Format_RGB32);
    if (data->image.isNull())
        return nullptr;
    data->image.detach(); // the bitmap's pixels are its own
    return static_cast<HBITMAP>(CGdiObjectTable::Add(data));
}

QImage GdiBitmapImage(HBITMAP bitmap) {
    auto data = CGdiObjectTable::FindAs<GdiBitmapData>(bitmap, OBJ_BITMAP);
    return data ? data->image : QImage();
}

QRegion GdiRegion(HRGN region) {
    auto data = CGdiObjectTable::FindAs<GdiRegionData>(region, OBJ_REGION);
    return data ? data->region : QRegion();
}

HRGN GdiCreateRegion(const QRegion& region) {
    auto data = std::make_shared<GdiRegionData>();
    data->region = region;
    return static_cast<HRGN>(CGdiObjectTable::Add(data));
}

bool GdiBrushColor(HBRUSH brush, COLORREF* color, bool* isNull) {
    auto data = CGdiObjectTable::FindAs<GdiBrushData>(brush, OBJ_BRUSH);
    if (!data)
        return false;
    if (color)
        *color = data->color;
    if (isNull)
        *isNull = data->style == BS_NULL;
    return true;
}

namespace {

bool SameFace(const char* a, const char* b) {
    return strcasecmp(a, b) == 0;
}

struct Face {
    QString family;
    bool forceBold = false;
};

// The program's faces, resolved to metric-compatible families that the desktop has.
Face ResolveFace(const char* face) {
    static const char* const sans[] = {"",       "Arial",         "MS Shell Dlg",         "MS Shell Dlg 2",
                                       "System", "MS Sans Serif", "Microsoft Sans Serif", "Helvetica"};
    if (SameFace(face, "Arial Bold"))
        return {QStringLiteral("Liberation Sans"), true};
    for (const char* s : sans)
        if (SameFace(face, s))
            return {QStringLiteral("Liberation Sans"), false};
    if (SameFace(face, "Tahoma") || SameFace(face, "Verdana"))
        return {QStringLiteral("DejaVu Sans"), false};
    if (SameFace(face, "Courier New") || SameFace(face, "Courier"))
        return {QStringLiteral("Liberation Mono"), false};
    if (SameFace(face, "Times New Roman"))
        return {QStringLiteral("Liberation Serif"), false};
    return {QString::fromUtf8(face), false};
}

// Character cell height per em of a family: a positive LOGFONT height asks for a cell that high.
double CellPerEm(const QFont& base) {
    static std::mutex lock;
    static std::unordered_map<std::string, double> cache;
    std::string key = base.family().toStdString() + (base.bold() ? "/b" : "/r");
    std::lock_guard guard(lock);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    QFont probe = base;
    probe.setPixelSize(200);
    QFontMetricsF fm(probe);
    double ratio = (fm.ascent() + fm.descent()) / 200.0;
    if (!(ratio > 0.5 && ratio < 3.0))
        ratio = 1.15;
    cache.emplace(key, ratio);
    return ratio;
}

} // namespace

QFont GdiQFont(const LOGFONT& font, double scale) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, font.lfFaceName, LF_FACESIZE);
    Face resolved = ResolveFace(face);
    QFont q(resolved.family);
    q.setKerning(false); // widths add up character by character, as Windows measures them
    LONG weight = font.lfWeight;
    if (weight <= 0)
        weight = FW_NORMAL;
    if (resolved.forceBold)
        weight = std::max<LONG>(weight, FW_BOLD);
    q.setWeight(QFont::Weight(std::clamp<LONG>(weight, 1, 1000)));
    q.setItalic(font.lfItalic != 0);
    q.setUnderline(font.lfUnderline != 0);
    q.setStrikeOut(font.lfStrikeOut != 0);
    if (font.lfQuality == NONANTIALIASED_QUALITY)
        q.setStyleStrategy(QFont::NoAntialias);
    double em;
    if (font.lfHeight < 0)
        em = -double(font.lfHeight) * scale;
    else if (font.lfHeight > 0)
        em = double(font.lfHeight) * scale / CellPerEm(q);
    else
        em = 12.0; // the device's default size, whatever the mapping
    q.setPixelSize(std::max(1, int(std::lround(em))));
    return q;
}

QFont GdiFont(HFONT font) {
    auto data = CGdiObjectTable::FindAs<GdiFontData>(font, OBJ_FONT);
    LOGFONT lf{};
    if (data)
        lf = data->logFont;
    return GdiQFont(lf);
}
