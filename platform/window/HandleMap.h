#pragma once
// The process-wide table behind window handles. A handle is a number that is never reused, so a
// stale handle (a window destroyed long ago) finds nothing. Each entry names the object that
// handles the window's messages and the widget that shows it; either may be missing for a moment
// (a control whose object was detached, or an entry being torn down).
//
// The table is read from any thread (IsWindow, PostMessage); it is changed only on the UI thread.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

class CWnd;
class QWidget;

class CHandleMap {
public:
    // A new handle for the widget; the object may be set later with SetObject.
    static HWND Add(CWnd* wnd, QWidget* widget);
    static void Remove(HWND hwnd);
    static void SetObject(HWND hwnd, CWnd* wnd);

    static bool Contains(HWND hwnd);
    // The object that handles the window, or null for an unknown handle.
    static CWnd* Object(HWND hwnd);
    static QWidget* Widget(HWND hwnd);
    static std::size_t Count();

private:
    struct Entry {
        CWnd* wnd = nullptr;
        QWidget* widget = nullptr;
    };
    static std::mutex& Lock();
    static std::unordered_map<std::uintptr_t, Entry>& Entries();
};
