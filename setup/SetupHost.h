#pragma once
// What the setup frame needs of the window that runs it (the main window), beyond being its parent.
// The frame asks for the connection at every use, because the connection may end while the frame
// is open; it tells the host which of its windows the recorder client may address.

#include "platform/base/WinTypes.h"
#include "protocol/IClientHost.h"

class CDvrClient;

class ISetupHost {
public:
    virtual ~ISetupHost() = default;

    // The connection object while there is one, else null.
    virtual CDvrClient* GetClient() = 0;
    // A window of the setup that the client addresses (ClientWindow::SetupFrame for the frame,
    // ClientWindow::SetupPage for a page that takes the recorder's clock) got its handle, or lost it
    // (null). Posts to a window that is not registered are dropped.
    virtual void SetSetupWindow(ClientWindow which, HWND hwnd) = 0;
};
