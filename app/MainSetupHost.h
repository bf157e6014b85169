#pragma once
// The main window as the remote setup frame's host, and the frame run over a setup record.

#include "setup/SetupHost.h"

#include "platform/base/WinTypes.h"

class CClientDlg;
struct SetupDatabase;

class CMainSetupHost : public ISetupHost {
public:
    explicit CMainSetupHost(CClientDlg& main) : m_main(main) {}

    CDvrClient* GetClient() override;
    void SetSetupWindow(ClientWindow which, HWND hwnd) override;

    // Runs the setup frame modally over `db` (as the recorder sends it); its result.
    static INT_PTR Run(CClientDlg& main, SetupDatabase& db, BYTE alpha);

private:
    CClientDlg& m_main;
};
