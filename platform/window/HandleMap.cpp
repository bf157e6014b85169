#include "platform/window/HandleMap.h"

#include <atomic>

namespace {
std::atomic<std::uintptr_t> g_nextHandle{0x10000};
}

std::mutex& CHandleMap::Lock() {
    static std::mutex lock;
    return lock;
}

std::unordered_map<std::uintptr_t, CHandleMap::Entry>& CHandleMap::Entries() {
    static std::unordered_map<std::uintptr_t, Entry> entries;
    return entries;
}

HWND CHandleMap::Add(CWnd* wnd, QWidget* widget) {
    // Handles step by 4 so that they look like aligned pointers to code that passes them through
    // pointer-sized message parameters.
    const std::uintptr_t id = g_nextHandle.fetch_add(4);
    std::lock_guard<std::mutex> guard(Lock());
    Entries()[id] = Entry{wnd, widget, State{}};
    return reinterpret_cast<HWND>(id);
}

void CHandleMap::Remove(HWND hwnd) {
    std::lock_guard<std::mutex> guard(Lock());
    Entries().erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

void CHandleMap::SetObject(HWND hwnd, CWnd* wnd) {
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Entries().find(reinterpret_cast<std::uintptr_t>(hwnd));
    if (it != Entries().end()) {
        it->second.wnd = wnd;
    }
}

bool CHandleMap::Contains(HWND hwnd) {
    if (hwnd == nullptr) {
        return false;
    }
    std::lock_guard<std::mutex> guard(Lock());
    return Entries().count(reinterpret_cast<std::uintptr_t>(hwnd)) != 0;
}

CWnd* CHandleMap::Object(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Entries().find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == Entries().end() ? nullptr : it->second.wnd;
}

QWidget* CHandleMap::Widget(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Entries().find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == Entries().end() ? nullptr : it->second.widget;
}

CHandleMap::State CHandleMap::GetState(HWND hwnd) {
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Entries().find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == Entries().end() ? State{} : it->second.state;
}

HWND CHandleMap::FindChild(HWND parent, UINT id) {
    if (parent == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(Lock());
    // The lowest handle is the oldest window: the template control made first.
    std::uintptr_t found = 0;
    for (const auto& [handle, entry] : Entries()) {
        if (entry.state.parent == parent && entry.state.id == id && (entry.state.style & 0x40000000u) != 0 &&
            (found == 0 || handle < found)) {
            found = handle;
        }
    }
    return reinterpret_cast<HWND>(found);
}
