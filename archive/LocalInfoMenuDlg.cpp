#include "archive/LocalInfoMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "res/BitmapIds.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CLocalInfoMenuDlg::IDD, CLocalButtonMenuDlg::kItems, "System", 10);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalInfoMenuDlg::CLocalInfoMenuDlg()
    : CLocalButtonMenuDlg(IDD, kLocalSlotInfoMenu, IDB_INFORMATION_MENU_SYSTEM, &CLocalSearchDlg::ShowInfoPage) {}
