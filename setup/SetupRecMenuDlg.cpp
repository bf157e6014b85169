#include "setup/SetupRecMenuDlg.h"

#include "res/BitmapIds.h"
#include "res/DialogIds.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"

namespace {

constexpr CSetupMenuDlg::Entry kEntries[] = {
    {IDB_RECORD_MENU_GENERAL, IDS_GENERAL, IDD_REC_GENERAL_DLG},
    {IDB_RECORD_MENU_MODE_0, IDS_CONTINUOUS, IDD_REC_RES_RATE_DLG},
    {IDB_RECORD_MENU_ALARM, IDS_ALARM, IDD_REC_RES_RATE_PRESET_DLG},
    {IDB_RECORD_MENU_MOTION, IDS_MOTION, IDD_REC_RES_RATE_MOTION_DLG},
    {IDB_RECORD_MENU_MODE_3, IDS_SCHEDULE, IDD_REC_RES_RATE_SCHEDULE_DLG},
    {IDB_RECORD_MENU_AUDIO, IDS_AUDIO_EVENT, IDD_REC_RES_RATE_SENS_DLG},
    {IDB_RECORD_MENU_MODE_5, IDS_HOLIDAY, IDD_REC_RES_RATE_DAYS_DLG},
    {IDB_RECORD_MENU_MODE_SLOTS, IDS_MODE_SLOTS, IDD_REC_UNIQUE_CHOICE_DLG},
};
DialogItem g_items[std::size(kEntries)];
const DialogTemplate kTemplate = CSetupMenuDlg::MakeTemplate(CSetupRecMenuDlg::IDD, kEntries, g_items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupRecMenuDlg::CSetupRecMenuDlg() : CSetupMenuDlg(IDD, kEntries) {}

UINT CSetupRecMenuDlg::PageOfButton(int i) const {
    if (i == 4 && m_pFrame != nullptr && m_pFrame->RecorderSubType() == kScheduleSubType) {
        return IDD_REC_SCHEDULE_DLG;
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
