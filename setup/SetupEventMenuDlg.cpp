#include "setup/SetupEventMenuDlg.h"

#include "res/BitmapIds.h"
#include "res/DialogIds.h"
#include "res/TextIds.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {IDB_EVENT_MENU_E_MAIL, IDS_E_MAIL, IDD_EMAIL_SETUP_DLG},
    {IDB_EVENT_MENU_FIRST_YES_NO_PAGE, IDS_BUZZER, IDD_EVENT_YES_NO_DLG},
    {IDB_EVENT_MENU_SECOND_YES_NO_PAGE, IDS_ALARM_OUT, IDD_EVENT_YES_NO_TIME_A_DLG},
    {IDB_EVENT_MENU_THIRD_YES_NO_PAGE, IDS_EVENT_POPUP, IDD_EVENT_YES_NO_TIME_B_DLG},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupEventMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupEventMenuDlg::CSetupEventMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
