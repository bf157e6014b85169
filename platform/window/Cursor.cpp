#include "platform/window/Cursor.h"

#include "platform/window/CursorTarget.h"
#include "platform/window/HandleMap.h"
#include "platform/window/MessagePump.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <cstdint>

namespace {

HCURSOR g_current = nullptr;
HWND g_target = nullptr;

HCURSOR FromShape(Qt::CursorShape shape) {
    return reinterpret_cast<HCURSOR>(std::uintptr_t(shape) + 1);
}

Qt::CursorShape ShapeOf(HCURSOR cursor) {
    return Qt::CursorShape(int(reinterpret_cast<std::uintptr_t>(cursor) - 1));
}

} // namespace

void SetCursorTarget(HWND hwnd) {
    g_target = hwnd;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR cursorId) {
    if (instance != nullptr) {
        return nullptr;
    }
    const auto id = reinterpret_cast<std::uintptr_t>(cursorId);
    switch (id) {
    case 32512:
        return FromShape(Qt::ArrowCursor);
    case 32513:
        return FromShape(Qt::IBeamCursor);
    case 32514:
        return FromShape(Qt::WaitCursor);
    case 32515:
        return FromShape(Qt::CrossCursor);
    case 32646:
        return FromShape(Qt::SizeAllCursor);
    case 32648:
        return FromShape(Qt::ForbiddenCursor);
    case 32649:
        return FromShape(Qt::PointingHandCursor);
    default:
        return nullptr;
    }
}

HCURSOR SetCursor(HCURSOR cursor) {
    if (!CMessagePump::IsUiThread()) {
        return g_current;
    }
    const HCURSOR previous = g_current;
    g_current = cursor;
    QWidget* widget = CHandleMap::Widget(g_target);
    if (widget == nullptr) {
        widget = QApplication::widgetAt(QCursor::pos());
    }
    if (widget != nullptr) {
        widget->setCursor(cursor == nullptr ? QCursor(Qt::BlankCursor) : QCursor(ShapeOf(cursor)));
    }
    return previous;
}
