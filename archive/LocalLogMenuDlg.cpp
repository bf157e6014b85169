#include "archive/LocalLogMenuDlg.h"

#include "archive/LocalSearchDlg.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CLocalLogMenuDlg::IDD, CLocalButtonMenuDlg::kItems, "System", 10);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalLogMenuDlg::CLocalLogMenuDlg()
    : CLocalButtonMenuDlg(IDD, kLocalSlotLogMenu, 2170, &CLocalSearchDlg::ShowLogPage, &CLocalSearchDlg::LoadLocalLog) {
}
