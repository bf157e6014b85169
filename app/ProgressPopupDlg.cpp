#include "app/ProgressPopupDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"

namespace {

constexpr UINT kIdStop = 913;
constexpr UINT kIdProgress = 422;
constexpr int kWidth = 354;
constexpr int kHeight = 40;

const DialogItem kItems[] = {
    {kIdProgress, "STATIC", 20, 11, 280, 18, WS_VISIBLE},
    {kIdStop, "BUTTON", 320, 6, 28, 28, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CProgressPopupDlg::IDD, .cx = kWidth, .cy = kHeight, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CProgressPopupDlg::CProgressPopupDlg(CWnd* pOwner) : CSkinDialog(IDD, pOwner) {
    m_rcDrag = CRect(0, 0, kWidth, kHeight);
    m_keys = KeyPolicies::kProgressPopup;
}

void CProgressPopupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdStop, m_btnStop);
    DDX_Control(pDX, kIdProgress, m_progress);
}

BOOL CProgressPopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_BACKUP_PROGRESS_POPUP);
    m_progress.LoadBackBitmap(IDB_BACKUP_PROGRESS_BAR_GROOVE);
    m_progress.LoadBarBitmap(IDB_BACKUP_PROGRESS_BAR_FILL);
    m_progress.SetShowText(TRUE, RGB(254, 254, 0));
    CBitmap back;
    const int barHeight = back.LoadBitmap(IDB_BACKUP_PROGRESS_BAR_GROOVE) ? back.GetSize().cy : 18;
    m_progress.MoveWindow(20, 11, 280, barHeight);
    m_btnStop.LoadBitmap(IDB_BACKUP_PROGRESS_STOP);
    m_btnStop.MoveWindow(320, 6, 28, 28);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    SetOpacity(GetSafeHwnd(), 200);
    return TRUE;
}

BOOL CProgressPopupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kIdStop && HIWORD(wParam) == BN_CLICKED) {
        if (m_onStop) {
            m_onStop();
        }
        return TRUE;
    }
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CProgressPopupDlg::KeepInside(const RECT& area, WINDOWPOS& pos) {
    if (pos.x < area.left + 20) {
        pos.x = area.left;
    }
    if (pos.y < area.top + 20) {
        pos.y = area.top;
    }
    if (pos.x + pos.cx + 20 > area.right) {
        pos.x = area.right - pos.cx;
    }
    if (pos.y + pos.cy + 20 > area.bottom) {
        pos.y = area.bottom - pos.cy;
    }
}

void CProgressPopupDlg::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    RECT area{};
    if (lpwndpos != nullptr && (lpwndpos->flags & SWP_NOMOVE) == 0 && m_videoRect && m_videoRect(&area)) {
        KeepInside(area, *lpwndpos);
    }
    CDialog::OnWindowPosChanging(lpwndpos);
}

BOOL CProgressPopupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, TRUE, 0);
    return TRUE;
}
