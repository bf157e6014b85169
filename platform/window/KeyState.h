#pragma once
// Keys as the program sees them: virtual-key codes from Qt's keys, and the up/down state of each key
// and mouse button as the UI thread last saw it (GetKeyState).

#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

#include <Qt>

class CKeyState {
public:
    // The virtual-key code of a Qt key (0 for keys the program has no code for).
    static UINT VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
    static void SetDown(UINT vk, bool down);
    static bool IsDown(UINT vk);
    // Follows the modifier keys and mouse buttons of an input event.
    static void SyncModifiers(Qt::KeyboardModifiers modifiers);
    static void SyncButtons(Qt::MouseButtons buttons);
};

// Negative (high bit set) while the key is down, as the program tests it.
SHORT GetKeyState(int vk);
