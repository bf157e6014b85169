#include "platform/gdi/DCImpl.h"

namespace {

QString Utf8(LPCSTR text, int count) {
    if (!text)
        return QString();
    if (count < 0)
        return QString::fromUtf8(text);
    return QString::fromUtf8(text, count);
}

std::string Bytes(LPCSTR text, int count) {
    if (!text)
        return std::string();
    return count < 0 ? std::string(text) : std::string(text, std::size_t(count));
}

} // namespace

// --- Text ---------------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    if (!text)
        return FALSE;
    DrawRecord rec;
    rec.op = DrawRecord::Op::Text;
    rec.rect = RECT{x, y, x, y};
    rec.text = Bytes(text, count);
    rec.format = TA_TOP | TA_LEFT;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    QString str = Utf8(text, count);
    m->Record(rec);
    const QPoint at = m->MapPoint(x, y);
    QPainter* p = m->Painter();
    if (!p)
        return FALSE;
    m->DrawLine(p, font, fm, at.x(), at.y(), str);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, LPCSTR text) {
    return TextOut(x, y, text, -1);
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!text || !rect)
        return 0;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    QRect box = m->MapRect(rect->left, rect->top, rect->right, rect->bottom);
    const int cell = fm.ascent() + fm.descent();
    std::vector<Impl::Line> lines = m->LayOut(Utf8(text, count), format, box.width(), fm);
    const int height = cell * int(lines.size());
    const double sy = std::fabs(m->ScaleY());
    const int logicalHeight = int(std::lround(height / (sy > 0 ? sy : 1)));

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, line.width);
        if (!(format & DT_WORDBREAK) || widest > box.width())
            rect->right = rect->left + LONG(std::lround(widest / std::fabs(m->ScaleX())));
        rect->bottom = rect->top + (m->ScaleY() < 0 ? -logicalHeight : logicalHeight);
        return logicalHeight;
    }

    DrawRecord rec;
    rec.op = DrawRecord::Op::Text;
    rec.rect = *rect;
    rec.text = Bytes(text, count);
    rec.format = format;
    m->Record(rec);

    QPainter* p = m->Painter();
    if (!p)
        return logicalHeight;
    int top = box.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top() + (box.height() - cell) / 2;
        else if (format & DT_BOTTOM)
            top = box.top() + box.height() - cell;
    }
    const bool clip = !(format & DT_NOCLIP);
    if (clip) {
        p->save();
        p->setClipRect(box, Qt::IntersectClip);
    }
    for (const auto& line : lines) {
        int left = box.left();
        if (format & DT_CENTER)
            left = box.left() + (box.width() - line.width) / 2;
        else if (format & DT_RIGHT)
            left = box.left() + box.width() - line.width;
        m->DrawLine(p, font, fm, left, top, line.text);
        top += cell;
    }
    if (clip)
        p->restore();
    return logicalHeight;
}

int CDC::DrawText(LPCSTR text, LPRECT rect, UINT format) {
    return DrawText(text, -1, rect, format);
}

SIZE CDC::GetTextExtent(LPCSTR text, int count) const {
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(Utf8(text, count));
    const int height = fm.ascent() + fm.descent();
    const double sx = std::fabs(m->ScaleX()), sy = std::fabs(m->ScaleY());
    return SIZE{LONG(std::lround(width / (sx > 0 ? sx : 1))), LONG(std::lround(height / (sy > 0 ? sy : 1)))};
}

SIZE CDC::GetTextExtent(LPCSTR text) const {
    return GetTextExtent(text, -1);
}

BOOL CDC::GetTextExtentPoint32(LPCSTR text, int count, SIZE* size) const {
    if (!size)
        return FALSE;
    *size = GetTextExtent(text, count);
    return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    const double sy = std::fabs(m->ScaleY()) > 0 ? std::fabs(m->ScaleY()) : 1;
    const double sx = std::fabs(m->ScaleX()) > 0 ? std::fabs(m->ScaleX()) : 1;
    auto ly = [sy](int v) { return LONG(std::lround(v / sy)); };
    *metrics = TEXTMETRIC{};
    metrics->tmAscent = ly(fm.ascent());
    metrics->tmDescent = ly(fm.descent());
    metrics->tmHeight = ly(fm.ascent() + fm.descent());
    metrics->tmInternalLeading = ly(fm.ascent() + fm.descent() - font.pixelSize());
    metrics->tmExternalLeading = ly(std::max(0, fm.leading()));
    metrics->tmAveCharWidth = LONG(std::lround(fm.averageCharWidth() / sx));
    metrics->tmMaxCharWidth = LONG(std::lround(fm.maxWidth() / sx));
    metrics->tmWeight = font.weight();
    return TRUE;
}
