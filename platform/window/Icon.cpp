#include "platform/window/Icon.h"

#include "platform/gdi/GdiQt.h"

#include <QPixmap>

#include <cstdint>
#include <map>

namespace {

// Icons by number; numbers are never reused, so a destroyed icon finds nothing.
std::map<std::uintptr_t, QIcon>& Icons() {
    static std::map<std::uintptr_t, QIcon> icons;
    return icons;
}
std::uintptr_t g_nextIcon = 1;

} // namespace

HICON CreateIconFromBitmap(HBITMAP bitmap) {
    const QImage image = GdiBitmapImage(bitmap);
    if (image.isNull()) {
        return nullptr;
    }
    const std::uintptr_t id = g_nextIcon++;
    Icons()[id] = QIcon(QPixmap::fromImage(image));
    return reinterpret_cast<HICON>(id);
}

BOOL DestroyIcon(HICON icon) {
    return Icons().erase(reinterpret_cast<std::uintptr_t>(icon)) != 0 ? TRUE : FALSE;
}

QIcon IconImage(HICON icon) {
    auto it = Icons().find(reinterpret_cast<std::uintptr_t>(icon));
    return it == Icons().end() ? QIcon() : it->second;
}
