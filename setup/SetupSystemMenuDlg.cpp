#include "setup/SetupSystemMenuDlg.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {2050, 5700, 172}, {2050, 5861, 175}, {2050, 5489, 177}, {2050, 5702, 178}, {2050, 5703, 180},
    {2050, 5704, 181}, {2050, 5705, 183}, {2050, 5708, 982}, {2050, 5834, 184},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupSystemMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupSystemMenuDlg::CSetupSystemMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
