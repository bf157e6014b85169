#pragma once
// The process-wide table behind window handles. A handle is a number that is never reused, so a
// stale handle (a window destroyed long ago) finds nothing. Each entry names the object that
// handles the window's messages and the widget that shows it, and keeps a published copy of the
// window's state (style, id, parent, place) for threads other than the UI thread, which must not
// touch widgets.
//
// The table is read from any thread; it is changed only on the UI thread.

#include "platform/base/WinTypes.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

class CWnd;
class QWidget;

class CHandleMap {
public:
    struct State {
        DWORD style = 0;
        DWORD exStyle = 0;
        UINT id = 0;
        HWND parent = nullptr; // the parent, or the owner of a top-level window
        RECT window{};         // screen coordinates
        SIZE client{};
        bool visible = false;
    };

    // A new handle for the widget; the object may be set later with SetObject.
    static HWND Add(CWnd* wnd, QWidget* widget);
    static void Remove(HWND hwnd);
    static void SetObject(HWND hwnd, CWnd* wnd);

    static bool Contains(HWND hwnd);
    // The object that handles the window, or null for an unknown handle.
    static CWnd* Object(HWND hwnd);
    static QWidget* Widget(HWND hwnd);

    // The published state (a default state for an unknown handle).
    static State GetState(HWND hwnd);
    template <typename F>
    static void Update(HWND hwnd, F&& change) {
        std::lock_guard<std::mutex> guard(Lock());
        auto it = Entries().find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it != Entries().end()) {
            change(it->second.state);
        }
    }
    // The child window of parent with that control id (null when none).
    static HWND FindChild(HWND parent, UINT id);

private:
    struct Entry {
        CWnd* wnd = nullptr;
        QWidget* widget = nullptr;
        State state;
    };
    static std::mutex& Lock();
    static std::unordered_map<std::uintptr_t, Entry>& Entries();
};
