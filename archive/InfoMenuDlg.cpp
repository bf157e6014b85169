#include "archive/InfoMenuDlg.h"

#include "archive/RemoteSearchDlg.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {450, 2176, 5620, 1},
    {451, 2177, 5621, 41},
};

constexpr auto kItems = MenuButtonItems(kButtons);
const DialogTemplate kTemplate = MenuColumnTemplate(CInfoMenuDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CInfoMenuDlg::CInfoMenuDlg() : CArchiveMenuDlg(IDD, kSlotInfoMenu, kButtons) {}

BOOL CInfoMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(450);
    return TRUE;
}

void CInfoMenuDlg::OnMenuButton(UINT id) {
    if (id == 450) {
        SelectButton(id);
        m_pFrame->ShowSystemInfo();
    } else if (id == 451) {
        SelectButton(id);
        m_pFrame->RequestStatusInfo();
    }
}
