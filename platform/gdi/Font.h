#pragma once

#include "platform/gdi/GdiObject.h"

// A font from a LOGFONT. Faces resolve to installed families: "Arial Bold" to Liberation Sans in
// bold whatever the weight, "Arial" (and the dialog faces) to Liberation Sans, "Tahoma" to DejaVu
// Sans. A negative height is the em size in logical units (pixels on the screen), a positive one the
// character cell height; weight 700 and above is bold.
class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCSTR face);

    operator HFONT() const { return static_cast<HFONT>(m_hObject); } // NOLINT
    static CFont* FromHandle(HFONT font);
};
