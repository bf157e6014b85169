#include "archive/BackupMenuDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/ControlIds.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CBackupMenuDlg::IDD, CModeMenuDlg::kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupMenuDlg::CBackupMenuDlg() : CModeMenuDlg(IDD, kSlotBackupMenu) {}

BOOL CBackupMenuDlg::OnInitDialog() {
    CModeMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(IDC_SEARCH_MENU_DATE_TIME);
    return TRUE;
}

void CBackupMenuDlg::OnDateTime() {
    m_pFrame->ShowBackupDateTime();
}

void CBackupMenuDlg::OnEvent() {
    m_pFrame->RequestBackupEventInfo();
}

void CBackupMenuDlg::OnCalendar() {
    // The backup calendar always starts by picking the start day.
    m_pFrame->Backup() = BackupRange{};
    m_pFrame->RequestTransMonthInfo();
}

void CBackupMenuDlg::OnSelectChannel() {
    m_pFrame->ShowBackupChannelSelect();
}
