#include "setup/SetupSystemMenuDlg.h"

#include "res/BitmapIds.h"
#include "res/DialogIds.h"
#include "res/TextIds.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_GENERAL_SYSTEM_MENU, IDD_SYS_GENERAL_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_USER_MENU, IDD_USER_SETUP_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_ALARM_OUTPUT, IDD_CHANNEL_TRI_STATE_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_AUTO_DELETE, IDD_SYS_DAYS_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_PTZ_MENU, IDD_PTZ_SETUP_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_KEYBOARD, IDD_KEYBOARD_SETUP_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_TIME_MENU, IDD_TIME_SETUP_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_TIME_SERVER, IDD_TIME_SERVER_DLG},
    {IDB_SYSTEM_MENU_EVERY_ENTRY, IDS_OPTIONS, IDD_SYS_OPTIONS_DLG},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupSystemMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupSystemMenuDlg::CSetupSystemMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
