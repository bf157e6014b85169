#include "app/PtzPadDlg.h"

#include "app/LocalSettings.h"
#include "app/PtzDialogSet.h"
#include "app/PtzPlacement.h"
#include "app/ShellDialogHost.h"
#include "platform/base/Clock.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"

CPtzPadDlg::CPtzPadDlg(UINT nIDTemplate, CPtzDialogSet& set, IShellDialogHost& host, ClientWindow role, int width,
                       int height)
    : CSkinDialog(nIDTemplate, nullptr), m_pSet(&set), m_host(host), m_role(role), m_conn(host.Connection()),
      m_nWidth(width), m_nHeight(height), m_nAlpha(host.Opacity(kOpacityPtz)) {
    m_rcDrag = CRect(0, 0, width, height);
}

BOOL CPtzPadDlg::CreatePad() {
    // Owned by the main window, so a window manager keeps the pad above it when the main window is clicked.
    if (!Create(m_nIDTemplate, m_host.MainWindow())) {
        return FALSE;
    }
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPtzPadDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    m_host.RegisterWindow(m_role, GetSafeHwnd());
    m_bRegistered = true;
    return TRUE;
}

int CPtzPadDlg::SendDomeCommand(CTcpConnection* conn, BYTE command) {
    const BYTE body[4] = {command, 0, 0, 0};
    return SendPacket(conn, PacketHeader::Request(Msg::PTZ_MOVE_REQ, sizeof body), body, sizeof body);
}

void CPtzPadDlg::HideAndClose() {
    // Gone for the client and out of its slot at once, so a new pad can open while this one closes;
    // the set still destroys it if everything closes before its WM_CLOSE comes.
    Unregister();
    if (m_pSet != nullptr) {
        m_pSet->PadClosing(this);
    }
    ShowWindow(SW_HIDE);
    PostMessage(WM_CLOSE);
    Sleep(10);
}

BOOL CPtzPadDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, m_nWidth, m_nHeight, FALSE, 0);
    return TRUE;
}

void CPtzPadDlg::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    RECT video{};
    if (lpwndpos != nullptr && (lpwndpos->flags & SWP_NOMOVE) == 0 && m_host.VideoScreenRect(&video)) {
        RECT pad{};
        PlacePtzWindow(video, DockingRect(&pad) ? &pad : nullptr, *lpwndpos);
    }
    CDialog::OnWindowPosChanging(lpwndpos);
}

void CPtzPadDlg::OnClose() {
    DestroyWindow();
}

void CPtzPadDlg::OnNcDestroy() {
    CDialog::OnNcDestroy();
    Forget();
}

void CPtzPadDlg::Unregister() {
    if (m_bRegistered) {
        m_bRegistered = false;
        m_host.RegisterWindow(m_role, nullptr);
    }
}

void CPtzPadDlg::Forget() {
    Unregister();
    if (m_pSet != nullptr) {
        CPtzDialogSet* set = m_pSet;
        m_pSet = nullptr;
        set->DialogGone(this);
    }
}

void CPtzPadDlg::PostNcDestroy() {
    delete this;
}
