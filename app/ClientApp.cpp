#include "app/ClientApp.h"

#include "app/ClientDlg.h"
#include "app/OsVersion.h"
#include "app/QuitWatch.h"
#include "platform/window/MessageBox.h"

CClientApp::CClientApp() : CWinApp("KELO1000") {}

BOOL CClientApp::InitInstance() {
    AfxEnableControlContainer();
    if (GetOsVersionClass() >= 3) {
        AfxMessageBox("Unsupported OS version !");
        return FALSE;
    }
    CClientDlg dialog(m_parts);
    m_pMainWnd = &dialog;
    m_pDialog = &dialog;
    {
        const CQuitWatch quitWatch(dialog);
        dialog.DoModal();
    }
    m_pDialog = nullptr;
    m_pMainWnd = nullptr;
    return FALSE;
}
