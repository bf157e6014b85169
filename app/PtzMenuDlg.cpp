#include "app/PtzMenuDlg.h"

#include "app/PtzControlDlg.h"
#include "app/PtzDialogSet.h"
#include "app/ShellDialogHost.h"
#include "platform/window/DataExchange.h"
#include "protocol/Trace.h"
#include "res/BitmapIds.h"

namespace {

const DialogItem kItems[] = {
    {CPtzMenuDlg::kIdSelect, "BUTTON", 9, 34, 39, 39, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzMenuDlg::kIdPrev, "BUTTON", 9, 78, 39, 39, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzMenuDlg::kIdClose, "BUTTON", 9, 122, 39, 39, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CPtzMenuDlg::IDD, .cx = CPtzMenuDlg::kWidth, .cy = CPtzMenuDlg::kHeight, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CPtzMenuDlg::CPtzMenuDlg(CPtzDialogSet& set, IShellDialogHost& host)
    : CPtzPadDlg(IDD, set, host, ClientWindow::PtzMenu, kWidth, kHeight) {}

void CPtzMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdSelect, m_btnSelect);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
    DDX_Control(pDX, kIdClose, m_btnClose);
}

BOOL CPtzMenuDlg::OnInitDialog() {
    CPtzPadDlg::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_DOME_MENU_PAD);
    m_btnSelect.LoadBitmap(IDB_DOME_MENU_SELECT);
    m_btnSelect.MoveWindow(9, 34, 39, 39);
    m_btnPrev.LoadBitmap(IDB_DOME_MENU_BACK);
    m_btnPrev.MoveWindow(9, 78, 39, 39);
    m_btnClose.LoadBitmap(IDB_DOME_MENU_CLOSE);
    m_btnClose.MoveWindow(9, 122, 39, 39);
    // The arrows move through the dome's menu only in pan and tilt mode.
    CPtzDialogSet* set = GetSet();
    if (set != nullptr && set->ControlPad() != nullptr && set->ControlPad()->GetMode() == 1) {
        m_host.OnPan();
    }
    return TRUE;
}

bool CPtzMenuDlg::DockingRect(RECT* rect) {
    CPtzDialogSet* set = GetSet();
    if (set == nullptr || set->ControlPad() == nullptr || set->ControlPad()->GetSafeHwnd() == nullptr) {
        return false;
    }
    set->ControlPad()->GetWindowRect(rect);
    return true;
}

BOOL CPtzMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdSelect:
        SendDomeCommand(m_conn.get(), kMenuEnter);
        Trace("Send...PTZ_MOVE_REQ...MENU_ENTER\n");
        return TRUE;
    case kIdPrev:
        SendDomeCommand(m_conn.get(), kMenuEsc);
        Trace("Send...PTZ_MOVE_REQ...MENU_ESC\n");
        return TRUE;
    case kIdClose: {
        SendDomeCommand(m_conn.get(), kDomeMenuAccess);
        Trace("Send...PTZ_MOVE_REQ...DOME_MENU_ACCESS\n");
        CPtzDialogSet* set = GetSet();
        if (set != nullptr && set->ControlPad() != nullptr) {
            set->ControlPad()->SetDomeMenuOpen(false);
        } else {
            m_host.SetDomeMenuActive(false);
        }
        HideAndClose();
        return TRUE;
    }
    default:
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
}
