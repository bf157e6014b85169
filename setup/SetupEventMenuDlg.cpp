#include "setup/SetupEventMenuDlg.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {2060, 5730, 185},
    {2061, 5731, 186},
    {2062, 5732, 187},
    {2063, 5733, 188},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupEventMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupEventMenuDlg::CSetupEventMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
