#include "archive/LocalLogMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "res/BitmapIds.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CLocalLogMenuDlg::IDD, CLocalButtonMenuDlg::kItems, "System", 10);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalLogMenuDlg::CLocalLogMenuDlg()
    : CLocalButtonMenuDlg(IDD, kLocalSlotLogMenu, IDB_LOG_MENU_ALL, &CLocalSearchDlg::ShowLogPage,
                          &CLocalSearchDlg::LoadLocalLog) {}
