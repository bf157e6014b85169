#include "app/MainWindowDialogHost.h"

#include "app/ClientDlg.h"

CWnd* CMainWindowDialogHost::MainWindow() {
    return &m_main;
}

BYTE CMainWindowDialogHost::Opacity(int kind) {
    return m_main.Opacity(kind);
}

std::shared_ptr<CTcpConnection> CMainWindowDialogHost::Connection() {
    return m_main.m_pClient ? m_main.m_pClient->GetConnection() : nullptr;
}

bool CMainWindowDialogHost::GetHello(HelloInfo& hello) {
    if (!m_main.m_pClient || !m_main.IsConnected()) {
        return false;
    }
    hello = m_main.m_pClient->m_hello;
    return true;
}

void CMainWindowDialogHost::RegisterWindow(ClientWindow which, HWND hwnd) {
    m_main.SetClientWindow(which, hwnd);
}

void CMainWindowDialogHost::PostNotice(LPARAM notice) {
    m_main.PostNotice(notice, ClientWindow::MainWindow);
}

int CMainWindowDialogHost::PlaySource() {
    return m_main.m_pVideo ? m_main.m_pVideo->GetPlaySource() : 0;
}

bool CMainWindowDialogHost::IsRemovable() {
    return m_main.m_bRemovable != 0;
}

CString CMainWindowDialogHost::Location() {
    return m_main.GetLocation();
}

bool CMainWindowDialogHost::VideoScreenRect(RECT* rect) {
    return m_main.GetVideoScreenRect(rect) != nullptr;
}

void CMainWindowDialogHost::OnPan() {
    m_main.OnPan();
}

void CMainWindowDialogHost::OnZoom() {
    m_main.OnZoom();
}

int CMainWindowDialogHost::PtzAvailability() {
    return m_main.m_pClient ? m_main.m_pClient->GetPtzAvailability() : 0;
}

void CMainWindowDialogHost::SetDomeMenuActive(bool active) {
    m_main.m_bDomeMenuActive.store(active);
}
