#include "platform/window/KeyState.h"

#include <array>
#include <atomic>

namespace {
std::array<std::atomic<bool>, 256> g_down{};
}

UINT CKeyState::VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        if ((modifiers & Qt::KeypadModifier) != 0) {
            return VK_NUMPAD0 + UINT(qtKey - Qt::Key_0);
        }
        return UINT('0' + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return UINT('A' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + UINT(qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return (modifiers & Qt::KeypadModifier) != 0 ? VK_ADD : 0xBB;
    case Qt::Key_Minus:
        return (modifiers & Qt::KeypadModifier) != 0 ? VK_SUBTRACT : 0xBD;
    case Qt::Key_Period:
        return (modifiers & Qt::KeypadModifier) != 0 ? VK_DECIMAL : 0xBE;
    case Qt::Key_Slash:
        return (modifiers & Qt::KeypadModifier) != 0 ? VK_DIVIDE : 0xBF;
    case Qt::Key_Comma:
        return 0xBC;
    default:
        return 0;
    }
}

void CKeyState::SetDown(UINT vk, bool down) {
    if (vk < g_down.size()) {
        g_down[vk] = down;
    }
}

bool CKeyState::IsDown(UINT vk) {
    return vk < g_down.size() && g_down[vk].load();
}

void CKeyState::SyncModifiers(Qt::KeyboardModifiers modifiers) {
    SetDown(VK_SHIFT, (modifiers & Qt::ShiftModifier) != 0);
    SetDown(VK_CONTROL, (modifiers & Qt::ControlModifier) != 0);
    SetDown(VK_MENU, (modifiers & Qt::AltModifier) != 0);
}

void CKeyState::SyncButtons(Qt::MouseButtons buttons) {
    SetDown(VK_LBUTTON, (buttons & Qt::LeftButton) != 0);
    SetDown(VK_RBUTTON, (buttons & Qt::RightButton) != 0);
    SetDown(VK_MBUTTON, (buttons & Qt::MiddleButton) != 0);
}

SHORT GetKeyState(int vk) {
    return CKeyState::IsDown(UINT(vk)) ? SHORT(-128) : SHORT(0);
}
