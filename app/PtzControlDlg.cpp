#include "app/PtzControlDlg.h"

#include "app/ShellDialogHost.h"
#include "platform/window/DataExchange.h"
#include "protocol/ClientMessages.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"

namespace {

const DialogItem kItems[] = {
    {CPtzControlDlg::kIdPan, "BUTTON", 5, 6, 41, 41, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdZoom, "BUTTON", 100, 6, 41, 41, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdClose, "BUTTON", 119, 143, 22, 22, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdUp, "BUTTON", 60, 47, 29, 29, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdRight, "BUTTON", 98, 85, 29, 29, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdLeft, "BUTTON", 21, 85, 29, 29, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdDown, "BUTTON", 60, 124, 29, 29, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdCentrePan, "BUTTON", 52, 78, 44, 44, WS_VISIBLE | BS_OWNERDRAW},
    {CPtzControlDlg::kIdCentreZoom, "BUTTON", 52, 78, 44, 44, BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CPtzControlDlg::IDD, .cx = CPtzControlDlg::kWidth, .cy = CPtzControlDlg::kHeight, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

struct Placement {
    CSkinButton CPtzControlDlg::*button;
    UINT bitmap;
    int x;
    int y;
    int size;
};
const Placement kPlacement[] = {
    {&CPtzControlDlg::m_btnPan, IDB_PTZ_PAD_PAN_TILT_MODE, 5, 6, 41},
    {&CPtzControlDlg::m_btnZoom, IDB_PTZ_PAD_ZOOM_FOCUS_MODE, 100, 6, 41},
    {&CPtzControlDlg::m_btnClose, IDB_PTZ_PAD_CLOSE, 119, 143, 22},
    {&CPtzControlDlg::m_btnUp, IDB_PTZ_PAD_UP, 60, 47, 29},
    {&CPtzControlDlg::m_btnDown, IDB_PTZ_PAD_DOWN, 60, 124, 29},
    {&CPtzControlDlg::m_btnLeft, IDB_PTZ_PAD_LEFT, 21, 85, 29},
    {&CPtzControlDlg::m_btnRight, IDB_PTZ_PAD_RIGHT, 98, 85, 29},
    {&CPtzControlDlg::m_btnCentrePan, IDB_PTZ_PAD_CENTRE_PAN_TILT_MODE, 52, 78, 44},
    {&CPtzControlDlg::m_btnCentreZoom, IDB_PTZ_PAD_CENTRE_ZOOM_FOCUS_MODE, 52, 78, 44},
};

} // namespace

CPtzControlDlg::CPtzControlDlg(CPtzDialogSet& set, IShellDialogHost& host)
    : CPtzPadDlg(IDD, set, host, ClientWindow::PtzDialog, kWidth, kHeight) {}

int CPtzControlDlg::DirectionOf(UINT id) {
    switch (id) {
    case kIdUp:
        return 0;
    case kIdDown:
        return 1;
    case kIdLeft:
        return 2;
    case kIdRight:
        return 3;
    case kIdCentrePan:
    case kIdCentreZoom:
        return kCentreDirection;
    default:
        return -1;
    }
}

void CPtzControlDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPan, m_btnPan);
    DDX_Control(pDX, kIdZoom, m_btnZoom);
    DDX_Control(pDX, kIdClose, m_btnClose);
    DDX_Control(pDX, kIdUp, m_btnUp);
    DDX_Control(pDX, kIdRight, m_btnRight);
    DDX_Control(pDX, kIdLeft, m_btnLeft);
    DDX_Control(pDX, kIdDown, m_btnDown);
    DDX_Control(pDX, kIdCentrePan, m_btnCentrePan);
    DDX_Control(pDX, kIdCentreZoom, m_btnCentreZoom);
}

BOOL CPtzControlDlg::OnInitDialog() {
    CPtzPadDlg::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_PTZ_PAD);
    for (const Placement& p : kPlacement) {
        CSkinButton& button = this->*(p.button);
        button.LoadBitmap(p.bitmap);
        button.MoveWindow(p.x, p.y, p.size, p.size);
    }
    // Moves wait until the recorder says the camera can take them.
    for (CSkinButton* button : {&m_btnUp, &m_btnDown, &m_btnLeft, &m_btnRight}) {
        button->Enable(FALSE);
    }
    ShowCentreOfMode();
    // The recorder may have answered before this pad could be addressed: take its answer as it stands.
    const int availability = m_host.PtzAvailability();
    if (availability != 0) {
        SetAvailable(availability == 2);
    }
    return TRUE;
}

void CPtzControlDlg::SetMode(int mode) {
    m_nMode = mode == 1 ? 1 : 0;
    m_btnPan.SetState(m_nMode == 0 ? kButtonOn : kButtonNormal);
    m_btnZoom.SetState(m_nMode == 1 ? kButtonOn : kButtonNormal);
    ShowCentreOfMode();
}

void CPtzControlDlg::ShowCentreOfMode() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    // Only a change is applied: this runs at every repaint of the pad.
    const bool pan = m_nMode == 0;
    if ((m_btnCentrePan.GetStyle() & WS_VISIBLE) != 0 ? !pan : pan) {
        m_btnCentrePan.Show(pan ? TRUE : FALSE);
    }
    if ((m_btnCentreZoom.GetStyle() & WS_VISIBLE) != 0 ? pan : !pan) {
        m_btnCentreZoom.Show(pan ? FALSE : TRUE);
    }
}

void CPtzControlDlg::SetDomeMenuOpen(bool open) {
    m_bDomeMenu = open ? 1 : 0;
    m_host.SetDomeMenuActive(open);
}

void CPtzControlDlg::SetAvailable(bool available) {
    for (CSkinButton* button :
         {&m_btnUp, &m_btnDown, &m_btnLeft, &m_btnRight, &m_btnCentrePan, &m_btnCentreZoom, &m_btnPan, &m_btnZoom}) {
        button->Enable(available ? TRUE : FALSE);
    }
    if (available) {
        m_btnPan.SetState(m_nMode == 0 ? kButtonOn : kButtonNormal);
        m_btnZoom.SetState(m_nMode == 1 ? kButtonOn : kButtonNormal);
    }
}

void CPtzControlDlg::OnPressReport(HWND button, LPARAM released) {
    const int direction = DirectionOf(UINT(::GetDlgCtrlID(button)));
    CWnd* main = m_host.MainWindow();
    if (direction < 0 || main == nullptr) {
        return;
    }
    main->SendMessage(WM_KELO_PTZ_MOVE, released != 0 ? 1 : 0, direction);
}

LRESULT CPtzControlDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SKINBUTTON_PRESS) {
        OnPressReport(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    if (message == WM_KELO_PTZ_AVAILABILITY) {
        SetAvailable(wParam == 2);
        return 0;
    }
    return CPtzPadDlg::WindowProc(message, wParam, lParam);
}

BOOL CPtzControlDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdPan:
        m_btnPan.SetState(kButtonOn);
        m_btnZoom.SetState(kButtonNormal);
        if (m_nMode == 1) {
            m_host.OnPan();
        }
        return TRUE;
    case kIdZoom:
        m_btnPan.SetState(kButtonNormal);
        m_btnZoom.SetState(kButtonOn);
        if (m_nMode == 0) {
            m_host.OnZoom();
        }
        return TRUE;
    case kIdClose:
        // The command of the current mode again leaves PTZ.
        if (m_nMode == 1) {
            m_host.OnZoom();
        } else {
            m_host.OnPan();
        }
        return TRUE;
    default:
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
}

BOOL CPtzControlDlg::OnEraseBkgnd(CDC* pDC) {
    ShowCentreOfMode();
    return CPtzPadDlg::OnEraseBkgnd(pDC);
}
