#include "archive/BackupMenuDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {450, IDB_SEARCH_MENU_DATE_TIME, IDS_DATE_TIME, 1},
    {451, IDB_SEARCH_MENU_EVENTS, IDS_EVENT, 41},
    {452, IDB_SEARCH_MENU_CALENDAR, IDS_CALENDAR, 81},
    {453, IDB_SEARCH_MENU_SELECT_CHANNELS, IDS_SELECT_CHANNEL, 395},
};

const DialogItem kItems[] = {
    {450, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {451, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {452, "BUTTON", 2, 81, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {453, "BUTTON", 2, 395, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CBackupMenuDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupMenuDlg::CBackupMenuDlg() : CArchiveMenuDlg(IDD, kSlotBackupMenu, kButtons) {}

BOOL CBackupMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(450);
    return TRUE;
}

void CBackupMenuDlg::OnMenuButton(UINT id) {
    if (FrameBusy()) {
        return;
    }
    switch (id) {
    case 450:
        SelectButton(id);
        m_pFrame->ShowBackupDateTime();
        break;
    case 451:
        SelectButton(id);
        m_pFrame->SetBusy(true);
        m_pFrame->RequestBackupEventInfo();
        break;
    case 452:
        SelectButton(id);
        m_pFrame->SetBusy(true);
        // The backup calendar always starts by picking the start day.
        m_pFrame->Backup() = BackupRange{};
        m_pFrame->RequestTransMonthInfo();
        break;
    case 453:
        SelectButton(id);
        m_pFrame->ShowBackupChannelSelect();
        break;
    default:
        break;
    }
}
