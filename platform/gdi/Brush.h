#pragma once

#include "platform/gdi/GdiObject.h"

// A brush: solid colour, or null (draws no fill).
class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);

    BOOL CreateSolidBrush(COLORREF color);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); } // NOLINT
    static CBrush* FromHandle(HBRUSH brush);
};
