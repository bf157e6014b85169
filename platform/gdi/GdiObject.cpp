#include "platform/gdi/GdiObject.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

CGdiObject::~CGdiObject() {
    if (!m_borrowed && m_hObject)
        ::DeleteObject(m_hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object || m_hObject)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    HGDIOBJ object = Detach();
    if (m_borrowed)
        return FALSE;
    return ::DeleteObject(object);
}

int CGdiObject::GetObject(int size, LPVOID out) const {
    return ::GetObject(m_hObject, size, out);
}

DWORD CGdiObject::GetObjectType() const {
    return ::GetObjectType(m_hObject);
}

// Always the typed wrapper, so that CFont::FromHandle and this agree on one object per handle.
CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    switch (::GetObjectType(object)) {
    case OBJ_PEN:
        return CPen::FromHandle(static_cast<HPEN>(object));
    case OBJ_BRUSH:
        return CBrush::FromHandle(static_cast<HBRUSH>(object));
    case OBJ_FONT:
        return CFont::FromHandle(static_cast<HFONT>(object));
    case OBJ_BITMAP:
        return CBitmap::FromHandle(static_cast<HBITMAP>(object));
    case OBJ_REGION:
        return CRgn::FromHandle(static_cast<HRGN>(object));
    default:
        return nullptr;
    }
}

BOOL CGdiObject::TakeNew(HGDIOBJ object) {
    if (m_hObject && !m_borrowed)
        ::DeleteObject(m_hObject);
    m_hObject = object;
    m_borrowed = false;
    return object ? TRUE : FALSE;
}
