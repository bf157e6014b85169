#include "archive/MainWindowLocalHost.h"

#include "app/ClientDlg.h"
#include "archive/LocalSearchDlg.h"
#include "archive/MainWindowLocalPlayer.h"
#include "archive/MainWindowPlayerHost.h"

#include <algorithm>

CWnd* CMainWindowLocalHost::MainWindow() {
    return &m_main;
}

CDvrClient* CMainWindowLocalHost::Client() {
    return m_main.m_pClient.get();
}

int CMainWindowLocalHost::DateFormat() const {
    return int(m_main.m_settings.DateFormat);
}

DWORD CMainWindowLocalHost::TimeToCTime(const int fields[6]) const {
    return m_main.TimeToCTime(fields);
}

std::string CMainWindowLocalHost::SaveLocation() const {
    return m_main.GetLocation().GetString();
}

bool CMainWindowLocalHost::IsRemovable() const {
    return m_main.m_bRemovable != 0;
}

void CMainWindowLocalHost::GetFileVersion(WORD version[4]) const {
    std::copy(m_main.m_fileVersion, m_main.m_fileVersion + 4, version);
}

bool CMainWindowLocalHost::HasLocalPlayer() const {
    return m_main.m_pLocalPlayer != nullptr;
}

std::unique_ptr<ILocalPlayerHost> CMainWindowLocalHost::MakePlayerHost() {
    return std::make_unique<CMainWindowPlayerHost>(m_main);
}

void CMainWindowLocalHost::AdoptLocalPlayer(std::unique_ptr<CLocalPlayer> player) {
    m_main.m_pLocalPlayer = std::make_unique<CMainWindowLocalPlayer>(std::move(player));
}

INT_PTR RunLocalSearchFor(CClientDlg& main, BYTE alpha) {
    CMainWindowLocalHost host(main);
    return RunLocalSearch(host, alpha);
}
