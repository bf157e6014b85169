#include "archive/LogMenuDlg.h"

#include "archive/RemoteLogStore.h"
#include "archive/RemoteSearchDlg.h"

#include <vector>

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {450, 2170, 5600, 1},   {451, 2171, 5601, 41},  {452, 2172, 5026, 81},
    {453, 2173, 5602, 121}, {454, 2174, 5603, 161}, {455, 2175, 5451, 201},
};

constexpr auto kItems = MenuButtonItems(kButtons);
const DialogTemplate kTemplate = MenuColumnTemplate(CLogMenuDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLogMenuDlg::CLogMenuDlg() : CArchiveMenuDlg(IDD, kSlotLogMenu, kButtons) {}

BOOL CLogMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    if (!ResumeActive()) {
        OnMenuButton(450);
        return TRUE;
    }
    ArchiveResume& resume = Resume();
    if (resume.record.source == 1) {
        OnMenuButton(resume.record.log_page == 1 ? 455 : 450);
        return TRUE;
    }
    // The playback came from a search page: the log tab starts afresh, and the log copies kept for
    // returning to a log page go with the record.
    resume.ClearRecord();
    std::vector<RemoteLogEntry>().swap(CRemoteLogStore::Instance().Cache(Client()));
    OnMenuButton(450);
    return TRUE;
}

void CLogMenuDlg::OnMenuButton(UINT id) {
    switch (id) {
    case 450:
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
    case 451:
        SelectButton(id);
        m_pFrame->ShowPowerLogDlg();
        break;
    case 452:
        SelectButton(id);
        m_pFrame->ShowRecordLogDlg();
        break;
    case 453:
        SelectButton(id);
        m_pFrame->ShowOperationLogDlg();
        break;
    case 454:
        SelectButton(id);
        m_pFrame->ShowClientLogDlg();
        break;
    case 455:
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
