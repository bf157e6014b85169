#include "archive/LogMenuDlg.h"

#include "archive/RemoteLogStore.h"
#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/TextIds.h"

#include <vector>

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {IDC_LOG_MENU_ALL, IDB_LOG_MENU_ALL, IDS_ALL, 1},
    {IDC_LOG_MENU_POWER, IDB_LOG_MENU_POWER, IDS_POWER, 41},
    {IDC_LOG_MENU_RECORD, IDB_LOG_MENU_RECORDING, IDS_RECORD, 81},
    {IDC_LOG_MENU_OPERATION, IDB_LOG_MENU_OPERATION, IDS_OPERATION, 121},
    {IDC_LOG_MENU_CLIENT, IDB_LOG_MENU_CLIENT, IDS_CLIENT, 161},
    {IDC_LOG_MENU_EVENT, IDB_LOG_MENU_EVENTS, IDS_EVENT, 201},
};

const MenuColumnRegistration kRegistered(CLogMenuDlg::IDD, kButtons);

} // namespace

CLogMenuDlg::CLogMenuDlg() : CArchiveMenuDlg(IDD, kSlotLogMenu, kButtons) {}

BOOL CLogMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    if (!ResumeActive()) {
        OnMenuButton(IDC_LOG_MENU_ALL);
        return TRUE;
    }
    ArchiveResume& resume = Resume();
    if (resume.record.source == 1) {
        OnMenuButton(resume.record.log_page == 1 ? IDC_LOG_MENU_EVENT : IDC_LOG_MENU_ALL);
        return TRUE;
    }
    // The playback came from a search page: the log tab starts afresh, and the log copies kept for
    // returning to a log page go with the record.
    resume.ClearRecord();
    std::vector<RemoteLogEntry>().swap(CRemoteLogStore::Instance().Cache(Client()));
    OnMenuButton(IDC_LOG_MENU_ALL);
    return TRUE;
}

void CLogMenuDlg::OnMenuButton(UINT id) {
    switch (id) {
    case IDC_LOG_MENU_ALL:
        if (FrameBusy()) {
            return;
        }
        SelectButton(id);
        m_pFrame->SetBusy(true);
        if (!ResumeActive()) {
            m_pFrame->RequestLogInfo();
            return;
        }
        m_pFrame->SetBusy(false);
        m_pFrame->ShowAllLogDlg();
        break;
    case IDC_LOG_MENU_POWER:
        SelectButton(id);
        m_pFrame->ShowPowerLogDlg();
        break;
    case IDC_LOG_MENU_RECORD:
        SelectButton(id);
        m_pFrame->ShowRecordLogDlg();
        break;
    case IDC_LOG_MENU_OPERATION:
        SelectButton(id);
        m_pFrame->ShowOperationLogDlg();
        break;
    case IDC_LOG_MENU_CLIENT:
        SelectButton(id);
        m_pFrame->ShowClientLogDlg();
        break;
    case IDC_LOG_MENU_EVENT:
        SelectButton(id);
        m_pFrame->ShowEventLogDlg();
        if (ResumeActive()) {
            m_pFrame->SetBusy(false);
        }
        break;
    default:
        break;
    }
}
