#pragma once

#include "platform/gdi/GdiObject.h"

// A pen: style PS_SOLID, PS_DASH, PS_DOT, PS_NULL or PS_INSIDEFRAME; width in logical units (0 draws
// one pixel wide whatever the mapping).
class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);

    BOOL CreatePen(int style, int width, COLORREF color);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); } // NOLINT
    static CPen* FromHandle(HPEN pen);
};
