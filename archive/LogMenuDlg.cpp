#include "archive/LogMenuDlg.h"

#include "archive/RemoteLogStore.h"
#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <vector>

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {450, IDB_LOG_MENU_ALL, IDS_ALL, 1},           {451, IDB_LOG_MENU_POWER, IDS_POWER, 41},
    {452, IDB_LOG_MENU_RECORDING, IDS_RECORD, 81}, {453, IDB_LOG_MENU_OPERATION, IDS_OPERATION, 121},
    {454, IDB_LOG_MENU_CLIENT, IDS_CLIENT, 161},   {455, IDB_LOG_MENU_EVENTS, IDS_EVENT, 201},
};

const DialogItem kItems[] = {
    {450, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {451, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {452, "BUTTON", 2, 81, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {453, "BUTTON", 2, 121, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {454, "BUTTON", 2, 161, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {455, "BUTTON", 2, 201, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CLogMenuDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
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
