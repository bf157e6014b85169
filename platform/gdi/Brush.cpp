#include "platform/gdi/Brush.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"

CBrush::CBrush(COLORREF color) {
    CreateSolidBrush(color);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return TakeNew(::CreateSolidBrush(color));
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
    return CGdiObjectTable::Wrapper<CBrush>(brush, OBJ_BRUSH);
}
