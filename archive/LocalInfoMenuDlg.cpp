#include "archive/LocalInfoMenuDlg.h"

#include "archive/LocalSearchDlg.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CLocalInfoMenuDlg::IDD, CLocalButtonMenuDlg::kItems, "System", 10);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalInfoMenuDlg::CLocalInfoMenuDlg()
    : CLocalButtonMenuDlg(IDD, kLocalSlotInfoMenu, 2176, &CLocalSearchDlg::ShowInfoPage) {}
