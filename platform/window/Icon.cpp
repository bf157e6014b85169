#include "platform/window/Icon.h"

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

HICON CreateIconFromImages(const std::vector<QImage>& pictures) {
    QIcon icon;
    for (const QImage& picture : pictures) {
        if (!picture.isNull()) {
            icon.addPixmap(QPixmap::fromImage(picture));
        }
    }
    if (icon.isNull()) {
        return nullptr;
    }
    const std::uintptr_t id = g_nextIcon++;
    Icons()[id] = icon;
    return reinterpret_cast<HICON>(id);
}

BOOL DestroyIcon(HICON icon) {
    return Icons().erase(reinterpret_cast<std::uintptr_t>(icon)) != 0 ? TRUE : FALSE;
}

QIcon IconImage(HICON icon) {
    auto it = Icons().find(reinterpret_cast<std::uintptr_t>(icon));
    return it == Icons().end() ? QIcon() : it->second;
}
