#include "archive/ModeMenuDlg.h"

#include "archive/RemoteSearchDlg.h"

CModeMenuDlg::CModeMenuDlg(UINT idd, int slot) : CArchiveMenuDlg(idd, slot, kButtons) {}

void CModeMenuDlg::OnMenuButton(UINT id) {
    if (FrameBusy() || Button(id) == nullptr) {
        return;
    }
    SelectButton(id);
    switch (id) {
    case 450:
        OnDateTime();
        break;
    case 451:
        m_pFrame->SetBusy(true);
        OnEvent();
        break;
    case 452:
        m_pFrame->SetBusy(true);
        OnCalendar();
        break;
    default:
        OnSelectChannel();
        break;
    }
}
