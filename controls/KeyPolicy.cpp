#include "controls/KeyPolicy.h"

#include "platform/window/Dialog.h"

PolicyKey PolicyKeyOf(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        return PolicyKey::kEnter;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        return PolicyKey::kEscape;
    }
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
        return PolicyKey::kAltF4;
    }
    return PolicyKey::kOther;
}

KeyAction KeyActionOf(const KeyPolicy& policy, const MSG& msg) {
    switch (PolicyKeyOf(msg)) {
    case PolicyKey::kEnter:
        return policy.enter;
    case PolicyKey::kEscape:
        return policy.escape;
    case PolicyKey::kAltF4:
        return policy.altF4;
    default:
        return KeyAction::kDialog;
    }
}

BOOL PreTranslateKeys(CDialog& dlg, const KeyPolicy& policy, MSG* pMsg) {
    const KeyAction action = pMsg != nullptr ? KeyActionOf(policy, *pMsg) : KeyAction::kDialog;
    switch (action) {
    case KeyAction::kSwallow:
        return TRUE;
    case KeyAction::kPass:
        return FALSE;
    default:
        return dlg.CDialog::PreTranslateMessage(pMsg);
    }
}
