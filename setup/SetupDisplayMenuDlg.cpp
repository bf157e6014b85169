#include "setup/SetupDisplayMenuDlg.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {2030, 5660, 155}, {2031, 5661, 156}, {2032, 5452, 157}, {2033, 5662, 159}, {2034, 5663, 160},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupDisplayMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupDisplayMenuDlg::CSetupDisplayMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}
