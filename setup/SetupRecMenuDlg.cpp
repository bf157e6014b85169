#include "setup/SetupRecMenuDlg.h"

#include "setup/SetupDlg.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {2040, 5680, 162}, {2041, 5208, 163}, {2042, 5130, 164}, {2043, 5131, 165},
    {2044, 5209, 166}, {2045, 5132, 167}, {2046, 5210, 168}, {2047, 5681, 169},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupRecMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupRecMenuDlg::CSetupRecMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}

UINT CSetupRecMenuDlg::PageOfButton(int i) const {
    if (i == 4 && m_pFrame != nullptr && m_pFrame->RecorderSubType() == kScheduleSubType) {
        return 171;
    }
    return CSetupMenuDlg::PageOfButton(i);
}

void CSetupRecMenuDlg::ArrangeButtons() {
    m_buttons[5].ShowWindow(SW_HIDE);
    m_buttons[6].MoveWindow(2, 201, 170, 35);
    m_buttons[7].MoveWindow(2, 241, 170, 35);
    if (m_pFrame != nullptr && m_pFrame->RecorderSubType() == kScheduleSubType) {
        m_buttons[6].ShowWindow(SW_HIDE);
        m_buttons[7].ShowWindow(SW_HIDE);
    }
}
