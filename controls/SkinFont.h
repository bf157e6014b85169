#pragma once
// The skinned controls' font convention: a point size becomes a LOGFONT height of
// -(points x 1.33 + 0.5), truncated toward zero (9 pt gives -12, 8 pt -11, 13 pt -17).

#include "platform/base/WinTypes.h"

inline LONG SkinFontHeight(int pointSize) {
    return -static_cast<LONG>(pointSize * 1.33 + 0.5);
}
