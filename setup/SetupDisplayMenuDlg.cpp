#include "setup/SetupDisplayMenuDlg.h"

#include "res/BitmapIds.h"
#include "res/DialogIds.h"
#include "res/TextIds.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {IDB_DISPLAY_MENU_CAMERA_ADJUST, IDS_CAMERA, IDD_CAMERA_ADJUST_DLG},
    {IDB_DISPLAY_MENU_COVERT, IDS_COVERT, IDD_CAMERA_COVERT_DLG},
    {IDB_DISPLAY_MENU_CAMERA_NAMES, IDS_CAMERA_NAME, IDD_CAMERA_NAME_DLG},
    {IDB_DISPLAY_MENU_SPOT_OUT, IDS_SPOT_OUT, IDD_SPOT_SETUP_DLG},
    {IDB_DISPLAY_MENU_ON_SCREEN_DISPLAY, IDS_OSD, IDD_OSD_SETUP_DLG},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupDisplayMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupDisplayMenuDlg::CSetupDisplayMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
