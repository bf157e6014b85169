#include "platform/gdi/Pen.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"

CPen::CPen(int style, int width, COLORREF color) {
    CreatePen(style, width, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return TakeNew(::CreatePen(style, width, color));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* pen) {
    if (!pen)
        return FALSE;
    return CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

BOOL CPen::CreateStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    if (::GetObjectType(stock) != OBJ_PEN)
        return FALSE;
    TakeNew(stock);
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* pen) const {
    return GetObject(sizeof(LOGPEN), pen);
}

CPen* CPen::FromHandle(HPEN pen) {
    return CGdiObjectTable::Wrapper<CPen>(pen, OBJ_PEN);
}
