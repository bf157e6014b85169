#include "app/MainWindowDialogHost.h"

#include "app/ClientDlg.h"

CWnd* CMainWindowDialogHost::MainWindow() {
    return &m_main;
}

BYTE CMainWindowDialogHost::Opacity(int kind) {
    return m_main.Opacity(kind);
}

std::shared_ptr<CTcpConnection> CMainWindowDialogHost::Connection() {
    return m_main.GetConnection();
}

bool CMainWindowDialogHost::GetHello(HelloInfo& hello) {
    return m_main.GetHello(hello);
}

void CMainWindowDialogHost::RegisterWindow(ClientWindow which, HWND hwnd) {
    m_main.SetClientWindow(which, hwnd);
}

void CMainWindowDialogHost::PostNotice(LPARAM notice) {
    m_main.PostNotice(notice, ClientWindow::MainWindow);
}

int CMainWindowDialogHost::PlaySource() {
    const IVideoWindow* video = m_main.GetVideoWindow();
    return video != nullptr ? video->GetPlaySource() : 0;
}

bool CMainWindowDialogHost::IsRemovable() {
    return m_main.IsRemovable();
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
    return m_main.GetPtzAvailability();
}

void CMainWindowDialogHost::SetDomeMenuActive(bool active) {
    m_main.SetDomeMenuActive(active);
}
