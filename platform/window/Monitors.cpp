#include "platform/window/Monitors.h"

#include "platform/window/HandleMap.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdint>
#include <cstring>

namespace {

RECT ToRect(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QScreen* ScreenOf(HMONITOR monitor) {
    const auto index = reinterpret_cast<std::uintptr_t>(monitor);
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (index == 0 || index > std::uintptr_t(screens.size())) {
        return nullptr;
    }
    return screens[qsizetype(index - 1)];
}

HMONITOR HandleOf(QScreen* screen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const qsizetype index = screens.indexOf(screen);
    return index < 0 ? nullptr : reinterpret_cast<HMONITOR>(std::uintptr_t(index + 1));
}

HMONITOR Fallback(DWORD flags, const QPoint& point) {
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        return HandleOf(QGuiApplication::primaryScreen());
    }
    if (flags == MONITOR_DEFAULTTONEAREST) {
        QScreen* nearest = nullptr;
        long long best = -1;
        for (QScreen* screen : QGuiApplication::screens()) {
            const QRect g = screen->geometry();
            const long long dx = std::max({0, g.left() - point.x(), point.x() - g.right()});
            const long long dy = std::max({0, g.top() - point.y(), point.y() - g.bottom()});
            const long long distance = dx * dx + dy * dy;
            if (best < 0 || distance < best) {
                best = distance;
                nearest = screen;
            }
        }
        return HandleOf(nearest);
    }
    return nullptr;
}

} // namespace

BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
    if (dc != nullptr || callback == nullptr || QGuiApplication::instance() == nullptr) {
        return FALSE;
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        RECT bounds = ToRect(screens[i]->geometry());
        if (clip != nullptr) {
            RECT part{std::max(bounds.left, clip->left), std::max(bounds.top, clip->top),
                      std::min(bounds.right, clip->right), std::min(bounds.bottom, clip->bottom)};
            if (part.left >= part.right || part.top >= part.bottom) {
                continue;
            }
            bounds = part;
        }
        if (!callback(reinterpret_cast<HMONITOR>(std::uintptr_t(i + 1)), nullptr, &bounds, data)) {
            break;
        }
    }
    return TRUE;
}

BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    QScreen* screen = ScreenOf(monitor);
    if (screen == nullptr || info == nullptr ||
        (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEX))) {
        return FALSE;
    }
    info->rcMonitor = ToRect(screen->geometry());
    info->rcWork = ToRect(screen->availableGeometry());
    info->dwFlags = screen == QGuiApplication::primaryScreen() ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize == sizeof(MONITORINFOEX)) {
        auto* ex = reinterpret_cast<MONITORINFOEX*>(info);
        std::memset(ex->szDevice, 0, sizeof ex->szDevice);
        // Screens without a name (virtual displays) are named by their place, as displays are.
        QByteArray name = screen->name().toUtf8();
        if (name.isEmpty()) {
            name = "DISPLAY" + QByteArray::number(QGuiApplication::screens().indexOf(screen) + 1);
        }
        std::memcpy(ex->szDevice, name.constData(), std::min<std::size_t>(std::size_t(name.size()), CCHDEVICENAME - 1));
    }
    return TRUE;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    if (QGuiApplication::instance() == nullptr) {
        return nullptr;
    }
    const QPoint p(point.x, point.y);
    if (QScreen* screen = QGuiApplication::screenAt(p)) {
        return HandleOf(screen);
    }
    return Fallback(flags, p);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    QWidget* widget = CHandleMap::Widget(hwnd);
    if (widget == nullptr) {
        return Fallback(flags == MONITOR_DEFAULTTONULL ? MONITOR_DEFAULTTONULL : MONITOR_DEFAULTTOPRIMARY, QPoint());
    }
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return MonitorFromPoint(POINT{centre.x(), centre.y()}, flags);
}

int GetSystemMetrics(int index) {
    if (QGuiApplication::instance() == nullptr) {
        return 0;
    }
    QScreen* primary = QGuiApplication::primaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return primary != nullptr ? primary->geometry().width() : 0;
    case SM_CYSCREEN:
        return primary != nullptr ? primary->geometry().height() : 0;
    case SM_CMONITORS:
        return int(QGuiApplication::screens().size());
    default:
        return 0;
    }
}
