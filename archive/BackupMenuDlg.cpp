#include "archive/BackupMenuDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/TextIds.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {IDC_SEARCH_MENU_DATE_TIME, IDB_SEARCH_MENU_DATE_TIME, IDS_DATE_TIME, 1},
    {IDC_SEARCH_MENU_EVENT, IDB_SEARCH_MENU_EVENTS, IDS_EVENT, 41},
    {IDC_SEARCH_MENU_CALENDAR, IDB_SEARCH_MENU_CALENDAR, IDS_CALENDAR, 81},
    {IDC_SEARCH_MENU_CHANNELS, IDB_SEARCH_MENU_SELECT_CHANNELS, IDS_SELECT_CHANNEL, 395},
};

const DialogItem kItems[] = {
    {IDC_SEARCH_MENU_DATE_TIME, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_EVENT, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_CALENDAR, "BUTTON", 2, 81, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_CHANNELS, "BUTTON", 2, 395, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CBackupMenuDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupMenuDlg::CBackupMenuDlg() : CArchiveMenuDlg(IDD, kSlotBackupMenu, kButtons) {}

BOOL CBackupMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(IDC_SEARCH_MENU_DATE_TIME);
    return TRUE;
}

void CBackupMenuDlg::OnMenuButton(UINT id) {
    if (FrameBusy()) {
        return;
    }
    switch (id) {
    case IDC_SEARCH_MENU_DATE_TIME:
        SelectButton(id);
        m_pFrame->ShowBackupDateTime();
        break;
    case IDC_SEARCH_MENU_EVENT:
        SelectButton(id);
        m_pFrame->SetBusy(true);
        m_pFrame->RequestBackupEventInfo();
        break;
    case IDC_SEARCH_MENU_CALENDAR:
        SelectButton(id);
        m_pFrame->SetBusy(true);
        // The backup calendar always starts by picking the start day.
        m_pFrame->Backup() = BackupRange{};
        m_pFrame->RequestTransMonthInfo();
        break;
    case IDC_SEARCH_MENU_CHANNELS:
        SelectButton(id);
        m_pFrame->ShowBackupChannelSelect();
        break;
    default:
        break;
    }
}
