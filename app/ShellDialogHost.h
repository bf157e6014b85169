#pragma once
// What the local setup, PTZ and firmware dialogs need of the main window. The main window gives it
// through an adapter (MainWindowDialogHost.h); tests give a fake. Every call is for the UI thread.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "protocol/HelloInfo.h"
#include "protocol/IClientHost.h"

#include <memory>

class CWnd;
class CTcpConnection;

class IShellDialogHost {
public:
    virtual ~IShellDialogHost() = default;

    // The main window: owner of the dialogs and receiver of the PTZ messages (0x5239, 0x523F).
    virtual CWnd* MainWindow() = 0;
    // The opacity the settings give a kind of window (at least 100, so no window is invisible).
    virtual BYTE Opacity(int kind) = 0;

    // ---- the recorder
    // The connection while there is one (its sends fail once it is closed), else null.
    virtual std::shared_ptr<CTcpConnection> Connection() = 0;
    // The recorder's hello reply; false while not connected.
    virtual bool GetHello(HelloInfo& hello) = 0;
    // A dialog the recorder client addresses got its window, or lost it (null).
    virtual void RegisterWindow(ClientWindow which, HWND hwnd) = 0;
    // Notice 0x5226 (category << 16 | code) for the main window.
    virtual void PostNotice(LPARAM notice) = 0;

    // ---- the main window's state
    // The video window's source: 0 none, 1 live, 2 remote playback, 3 local playback.
    virtual int PlaySource() = 0;
    virtual bool IsRemovable() = 0;
    // The save location (the upgrade folder lies under it).
    virtual CString Location() = 0;
    // The video window's display rectangle in screen coordinates; false when there is none.
    virtual bool VideoScreenRect(RECT* rect) = 0;

    // ---- PTZ
    // The Pan and Zoom commands of the main window (each toggles its PTZ mode).
    virtual void OnPan() = 0;
    virtual void OnZoom() = 0;
    // While the dome's menu is open, split and channel changes and tile drags do nothing.
    virtual void SetDomeMenuActive(bool active) = 0;
    // What the recorder last said of the PTZ channel: 0 nothing yet, 1 no PTZ, 2 PTZ available.
    virtual int PtzAvailability() = 0;
};
