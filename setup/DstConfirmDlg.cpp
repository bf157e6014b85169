#include "setup/DstConfirmDlg.h"

#include "controls/KeyPolicy.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "platform/window/Monitors.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
const DialogItem kItems[] = {
    {CDstConfirmDlg::IDC_QUESTION, "STATIC", 0, 45, 308, 20, WS_VISIBLE},
    {IDOK, "BUTTON", 50, 103, 100, 27, kButton},
    {IDCANCEL, "BUTTON", 158, 103, 100, 27, kButton},
};
const DialogTemplate kTemplate{.id = CDstConfirmDlg::IDD,
                               .cx = CDstConfirmDlg::kWidth,
                               .cy = CDstConfirmDlg::kHeight,
                               .style = WS_POPUP,
                               .items = kItems,
                               .exStyle = WS_EX_TOPMOST};
const DialogTemplateRegistration kRegistered(kTemplate);

// The question's row is one pixel wider than the box.
constexpr int kRowWidth = 309;

} // namespace

CDstConfirmDlg::CDstConfirmDlg(CWnd* pParent, BYTE alpha) : CDialog(IDD, pParent), m_nAlpha(alpha) {}

void CDstConfirmDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QUESTION, m_question);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CDstConfirmDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION);
    const CString text = LoadResString(IDS_APPLY_THE_DST_CHANGE_THIS_YEAR);
    m_question.LoadBitmap(0, IDB_NOTICE_BOX_PLATE_LINE_2);
    m_question.SetTextStyle(0xFFFFFF, 0xFFFFFF, 0, 0, TRUE, 9, "Arial Bold");
    m_question.SetText(text);
    int width = kRowWidth;
    if (CDC* dc = GetDC()) {
        width = int(dc->GetTextExtent(text).cx * 1.2);
        ReleaseDC(dc);
    }
    m_question.MoveWindow((kRowWidth - width) / 2, 45, width, 20);
    CSetupSkin::SetUpTextButton(m_btnOK, IDB_DIALOG_BUTTON, CSetupSkin::At(50, 103, 100, 27), LoadResString(IDS_OK),
                                CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnCancel, IDB_DIALOG_BUTTON, CSetupSkin::At(158, 103, 100, 27),
                                LoadResString(IDS_CANCEL), CSetupSkin::kPageButtonColours);
    ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Centred on the (primary) screen, not on the frame.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    SetWindowPos(nullptr, x, y, kWidth, kHeight, SWP_NOZORDER);
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

BOOL CDstConfirmDlg::PreTranslateMessage(MSG* pMsg) {
    // As every setup window: Enter and Escape answer nothing, Alt+F4 is swallowed.
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

LRESULT CDstConfirmDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    return CRect(0, 0, kWidth, kHeight).PtInRect(client) ? HTCAPTION : hit;
}

BOOL CDstConfirmDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, TRUE, 0);
    return TRUE;
}
