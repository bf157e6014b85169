#pragma once
// What a window does with the keys that would close a dialog: a key-down of Enter or Escape, and
// Alt+F4 (a system key-down of F4, which is also how a window manager's close request arrives). Each
// kind of window has its named policy in the table below, so the differences between the kinds stand
// in one place; a window's PreTranslateMessage hands its messages to PreTranslateKeys with its policy.

#include "platform/window/WinUser.h"

class CDialog;

// What happens to one of those keys.
enum class KeyAction {
    kDialog,  // the dialog's own pre-translation: Enter presses OK (or the focused button), Escape Cancel
    kPass,    // no dialog processing: the key goes on to the parent windows' filters and the focused control
    kSwallow, // it stops here: no window sees it
};

struct KeyPolicy {
    KeyAction enter;
    KeyAction escape;
    KeyAction altF4;
};

// The keys a policy decides on.
enum class PolicyKey { kOther, kEnter, kEscape, kAltF4 };

namespace KeyPolicies {
using enum KeyAction;
// clang-format off
//                                        Enter     Escape    Alt+F4
// The main window: no key closes it.
inline constexpr KeyPolicy kMainWindow   {kSwallow, kSwallow, kSwallow};
// The video window: Enter and Escape leave full screen (the window does that before the policy).
inline constexpr KeyPolicy kVideoWindow  {kSwallow, kSwallow, kSwallow};
// The backup progress popup: only Stop or the end of the backup closes it.
inline constexpr KeyPolicy kProgressPopup{kSwallow, kSwallow, kSwallow};
// The firmware upgrade: Enter is a plain key, Escape cancels as in any dialog.
inline constexpr KeyPolicy kFirmware     {kPass,    kDialog,  kSwallow};
// The small modal dialogs (connect, history, password, notice): Enter is OK, Escape Cancel.
inline constexpr KeyPolicy kSmallDialog  {kDialog,  kDialog,  kSwallow};
// The skinned frames, their panels, pages and popups (setup, local setup, search) and the pads:
// neither key closes anything; the focused control still gets them.
inline constexpr KeyPolicy kSkinnedWindow{kPass,    kPass,    kSwallow};
// clang-format on
} // namespace KeyPolicies

PolicyKey PolicyKeyOf(const MSG& msg);
// The policy's action for the message; kDialog for every message it does not decide on.
KeyAction KeyActionOf(const KeyPolicy& policy, const MSG& msg);
// A PreTranslateMessage by the policy: TRUE for a swallowed key, FALSE for a passed one, the dialog's
// own pre-translation for the rest.
BOOL PreTranslateKeys(CDialog& dlg, const KeyPolicy& policy, MSG* pMsg);
