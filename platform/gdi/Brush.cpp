#include "platform/gdi/Brush.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"

CBrush::CBrush(COLORREF color) {
    CreateSolidBrush(color);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return TakeNew(::CreateSolidBrush(color));
}

BOOL CBrush::CreateStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    if (::GetObjectType(stock) != OBJ_BRUSH)
        return FALSE;
    TakeNew(stock);
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* brush) const {
    return GetObject(sizeof(LOGBRUSH), brush);
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
    return CGdiObjectTable::Wrapper<CBrush>(brush, OBJ_BRUSH);
}
