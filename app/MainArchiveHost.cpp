#include "app/MainArchiveHost.h"

#include "app/ClientDlg.h"
#include "app/MainPrintOutcome.h"
#include "archive/RemoteSearchDlg.h"

CWnd* CMainArchiveHost::MainWindow() {
    return &m_main;
}

CDvrClient* CMainArchiveHost::Client() {
    return m_main.GetClient();
}

CString CMainArchiveHost::ConnectionText() const {
    return m_main.GetConnectText();
}

int CMainArchiveHost::DateFormat() const {
    return m_main.GetDateFormatSetting();
}

DWORD CMainArchiveHost::TimeToCTime(const int fields[6]) const {
    return m_main.TimeToCTime(fields);
}

bool CMainArchiveHost::GetDiskFreeText(DWORD* freeMByte, DWORD* totalMByte) const {
    return m_main.GetDiskFreeText(freeMByte, totalMByte);
}

bool CMainArchiveHost::HasLocalPlayer() const {
    return m_main.HasLocalPlayer();
}

int CMainArchiveHost::VideoPlaySource() const {
    const IVideoWindow* video = m_main.GetVideoWindow();
    return video != nullptr ? video->GetPlaySource() : 0;
}

ArchiveResume& CMainArchiveHost::Resume() {
    return m_main.GetArchiveResume();
}

void CMainArchiveHost::SetBackupSpaceFigures(LONG neededMByte, LONG freeLess100MByte, LONG marginMByte) {
    m_main.SetBackupSpaceFigures(neededMByte, freeLess100MByte, marginMByte);
}

void CMainArchiveHost::SetSearchFrame(ISearchReplySink* sink, HWND hwnd) {
    m_main.SetSearchFrame(sink, hwnd);
}

INT_PTR CMainArchiveHost::Run(CClientDlg& main, BYTE alpha) {
    CMainArchiveHost host(main);
    return RunRemoteSearch(host, alpha);
}

std::string CMainArchiveHost::NoPrinterFolder() const {
    return ::NoPrinterFolder(m_main);
}

void CMainArchiveHost::ShowTextBox(CWnd* owner, const std::vector<CString>& lines) {
    ::ShowTextBox(m_main, owner, lines);
}
