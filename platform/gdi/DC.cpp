#include "platform/gdi/DC.h"

#include "platform/gdi/DCImpl.h"

#include <QPaintDevice>

CDC::CDC() : m(std::make_unique<Impl>()) {
    m->self = this;
    m->s.penHandle = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    m->s.pen = CGdiObjectTable::FindAs<GdiPenData>(m->s.penHandle, OBJ_PEN);
    m->s.brushHandle = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m->s.brush = CGdiObjectTable::FindAs<GdiBrushData>(m->s.brushHandle, OBJ_BRUSH);
    m->s.fontHandle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    m->s.font = CGdiObjectTable::FindAs<GdiFontData>(m->s.fontHandle, OBJ_FONT);
}

CDC::~CDC() {
    m->ReleaseTarget();
}

CDC* CDC::FromHandle(HDC dc) {
    return reinterpret_cast<CDC*>(dc);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    m->ReleaseTarget();
    if (pDC) {
        m->dpiX = pDC->m->dpiX;
        m->dpiY = pDC->m->dpiY;
    }
    HBITMAP stock = CGdiObjectTable::DefaultBitmap();
    m->bitmap = CGdiObjectTable::FindAs<GdiBitmapData>(stock, OBJ_BITMAP);
    m->s.bitmapHandle = stock;
    m->image = &m->bitmap->image;
    m->target = DcTarget::Memory;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachImage(QImage* image) {
    m->ReleaseTarget();
    if (!image || image->isNull())
        return FALSE;
    m->image = image;
    m->target = DcTarget::Image;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachPainter(QPainter* painter, const QRect& deviceClip, QImage* backing) {
    m->ReleaseTarget();
    if (!painter || !painter->isActive())
        return FALSE;
    painter->save();
    m->extPainter = painter;
    m->extClip = deviceClip;
    m->extBacking = backing;
    m->toBacking = painter->combinedTransform();
    QPaintDevice* device = painter->device();
    if (device && device->devType() == QInternal::Printer) {
        m->dpiX = device->logicalDpiX();
        m->dpiY = device->logicalDpiY();
    }
    m->target = DcTarget::Painter;
    m->clipDirty = true;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachSameTarget(CDC* other) {
    if (!other || other == this)
        return FALSE;
    QPainter* painter = other->GetPainter();
    if (!painter)
        return FALSE;
    QImage* backing = other->m->Readable();
    QRect bounds = other->m->Bounds();
    int dpiX = other->m->dpiX, dpiY = other->m->dpiY;
    DcState state = other->m->s;
    if (!AttachPainter(painter, bounds, backing))
        return FALSE;
    m->dpiX = dpiX;
    m->dpiY = dpiY;
    state.bitmapHandle = nullptr;
    m->s = state;
    m->clipDirty = true;
    m_bPrinting = other->m_bPrinting;
    return TRUE;
}

void CDC::ReleaseTarget() {
    m->ReleaseTarget();
}

BOOL CDC::DeleteDC() {
    bool had = m->HasTarget();
    m->ReleaseTarget();
    m->bitmap.reset();
    m->s.bitmapHandle = nullptr;
    return had ? TRUE : FALSE;
}

QPainter* CDC::GetPainter() {
    return m->Painter();
}

void CDC::SetRecorder(CDrawRecorder* recorder) {
    m->recorder = recorder;
}

void CDC::SetRecordWindow(HWND wnd) {
    m->recordWnd = wnd;
}
