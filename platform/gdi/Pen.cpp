#include "platform/gdi/Pen.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"

CPen::CPen(int style, int width, COLORREF color) {
    CreatePen(style, width, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return TakeNew(::CreatePen(style, width, color));
}

CPen* CPen::FromHandle(HPEN pen) {
    return CGdiObjectTable::Wrapper<CPen>(pen, OBJ_PEN);
}
