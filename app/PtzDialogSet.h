#pragma once
// The PTZ pads of one connection: the control pad (dialog 111), the keypad (991) and the dome menu
// pad (994). The set makes, places and refocuses them, and closes them all at once (before the
// connection goes, so no pad outlives what it talks to). A pad leaves the set as soon as its window
// is on its way out.

#include "platform/base/WinTypes.h"

#include <vector>

class CPtzControlDlg;
class CPtzKeypadDlg;
class CPtzMenuDlg;
class CPtzPadDlg;
class IShellDialogHost;

class CPtzDialogSet {
public:
    // Where the pads open: the control pad at the main window's client origin + (730, 550); the menu
    // pad at (client right - 201, client bottom - 200); the keypad centred on the main window.
    static constexpr int kPadOffsetX = 730;
    static constexpr int kPadOffsetY = 550;
    static constexpr int kMenuFromRight = 201;
    static constexpr int kMenuFromBottom = 200;

    explicit CPtzDialogSet(IShellDialogHost& host);
    ~CPtzDialogSet();
    CPtzDialogSet(const CPtzDialogSet&) = delete;
    CPtzDialogSet& operator=(const CPtzDialogSet&) = delete;

    // The control pad in a mode (0 pan and tilt, 1 zoom and focus): an open one takes the mode and
    // comes to the front.
    void ShowPtzDlg(int mode);
    void ShowPtzKeypad();
    void ShowIdd994Dlg();
    // A press report of the control pad's centre button as the main window gets it (0x5239 with
    // direction 4 or 5): pressing opens the keypad.
    void OnPtzKeypadButton(WPARAM pressed, LPARAM direction);
    // Destroys every pad now.
    void CloseAll();

    CPtzControlDlg* ControlPad() const { return m_pControl; }
    CPtzKeypadDlg* Keypad() const { return m_pKeypad; }
    CPtzMenuDlg* MenuPad() const { return m_pMenu; }
    IShellDialogHost& Host() const { return m_host; }

    // A pad asked to close: it leaves its slot now, and the set until its window is gone.
    void PadClosing(CPtzPadDlg* pad);
    // A pad's window is going: it is no longer the set's.
    void DialogGone(CPtzPadDlg* pad);

private:
    IShellDialogHost& m_host;
    CPtzControlDlg* m_pControl = nullptr;
    CPtzKeypadDlg* m_pKeypad = nullptr;
    CPtzMenuDlg* m_pMenu = nullptr;
    std::vector<CPtzPadDlg*> m_closing;
};
