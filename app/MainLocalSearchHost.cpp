#include "app/MainLocalSearchHost.h"

#include "app/ClientDlg.h"
#include "app/LocalPlayerAdapter.h"
#include "app/MainLocalPlayerHost.h"
#include "app/MainPrintOutcome.h"
#include "archive/LocalSearchDlg.h"
#include "platform/base/WindowsPath.h"

CWnd* CMainLocalSearchHost::MainWindow() {
    return &m_main;
}

CDvrClient* CMainLocalSearchHost::Client() {
    return m_main.GetClient();
}

int CMainLocalSearchHost::DateFormat() const {
    return m_main.GetDateFormatSetting();
}

DWORD CMainLocalSearchHost::TimeToCTime(const int fields[6]) const {
    return m_main.TimeToCTime(fields);
}

std::string CMainLocalSearchHost::SaveLocation() const {
    return std::string(MapWindowsPath(m_main.GetLocation()));
}

bool CMainLocalSearchHost::IsRemovable() const {
    return m_main.IsRemovable();
}

void CMainLocalSearchHost::GetFileVersion(WORD version[4]) const {
    m_main.GetFileVersion(version);
}

bool CMainLocalSearchHost::HasLocalPlayer() const {
    return m_main.HasLocalPlayer();
}

std::unique_ptr<ILocalPlayerHost> CMainLocalSearchHost::MakePlayerHost() {
    return std::make_unique<CMainLocalPlayerHost>(m_main);
}

void CMainLocalSearchHost::AdoptLocalPlayer(std::unique_ptr<CLocalPlayer> player) {
    if (player) {
        m_main.AdoptLocalPlayer(std::make_unique<CLocalPlayerAdapter>(std::move(player)));
    }
}

INT_PTR CMainLocalSearchHost::Run(CClientDlg& main, BYTE alpha) {
    CMainLocalSearchHost host(main);
    return RunLocalSearch(host, alpha);
}

std::string CMainLocalSearchHost::NoPrinterFolder() const {
    return ::NoPrinterFolder(m_main);
}

void CMainLocalSearchHost::ShowTextBox(CWnd* owner, const std::vector<CString>& lines) {
    ::ShowTextBox(m_main, owner, lines);
}
