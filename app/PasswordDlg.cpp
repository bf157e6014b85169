#include "app/PasswordDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

const DialogItem kItems[] = {
    {383, "EDIT", 130, 21, 210, 17, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD},
    {IDOK, "BUTTON", 138, 52, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "OK"},
    {IDCANCEL, "BUTTON", 244, 52, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Cancel"},
};
const DialogTemplate kTemplate{.id = CPasswordDlg::IDD, .cx = 356, .cy = 86, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CPasswordDlg::CPasswordDlg(CWnd* pOwner, BYTE alpha) : CSkinDialog(IDD, pOwner), m_nAlpha(alpha) {
    m_rcDrag = CRect(0, 0, 356, 86);
    m_keys = KeyPolicies::kSmallDialog;
}

void CPasswordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 383, m_editPassword);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, 383, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, 8);
}

BOOL CPasswordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_PASSWORD_PROMPT);
    m_bmLabel.LoadBitmap(IDB_CONNECT_DIALOG_PASSWORD_LABEL);
    SetUpTextButton(m_btnOK, IDB_DIALOG_BUTTON, IDS_OK, 0xA6A6A6);
    SetUpTextButton(m_btnCancel, IDB_DIALOG_BUTTON, IDS_CANCEL, 0xA6A6A6);
    m_btnOK.MoveWindow(138, 52, 100, 27);
    m_btnCancel.MoveWindow(244, 52, 100, 27);
    SetWindowPos(nullptr, 0, 0, 356, 86, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    m_strPassword.Empty();
    m_editPassword.MoveWindow(130, 21, 210, 17);
    m_editPassword.SetTextColor(0x783C3C);
    UpdateData(FALSE);
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    m_editPassword.SetFocus();
    return FALSE;
}

BOOL CPasswordDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, 356, 86, FALSE, 0);
    DrawBitmap(pDC, m_bmLabel, 14, 22, 120, 37, FALSE, 0);
    DrawLabelText(pDC, IDS_PASSWORD, CRect(14, 22, 120, 37));
    return TRUE;
}
