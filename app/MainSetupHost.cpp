#include "app/MainSetupHost.h"

#include "app/ClientDlg.h"
#include "setup/SetupDlg.h"

CDvrClient* CMainSetupHost::GetClient() {
    return m_main.GetClient();
}

void CMainSetupHost::SetSetupWindow(ClientWindow which, HWND hwnd) {
    if (which == ClientWindow::SetupFrame || which == ClientWindow::SetupPage) {
        m_main.SetClientWindow(which, hwnd);
    }
}

INT_PTR CMainSetupHost::Run(CClientDlg& main, SetupDatabase& db, BYTE alpha) {
    CMainSetupHost host(main);
    CSetupDlg frame(&main, &db, alpha, &host);
    return frame.DoModal();
}
