#include "app/ConnectDlg.h"

#include "app/AddressResolver.h"
#include "app/ConnectListDlg.h"
#include "app/LocalSettings.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/TextIds.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const DialogItem kItems[] = {
    {IDC_CONNECT_ADDRESS, "EDIT", 170, 23, 152, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_CONNECT_HISTORY, "BUTTON", 327, 20, 17, 23, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, ">"},
    {IDC_CONNECT_PORT, "EDIT", 130, 46, 107, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_CONNECT_MODIFY, "BUTTON", 246, 41, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Modify"},
    {IDC_CONNECT_DEFAULT, "BUTTON", 246, 41, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Default"},
    {IDC_CONNECT_USER_ID, "EDIT", 130, 69, 210, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_CONNECT_PASSWORD, "EDIT", 130, 92, 210, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD},
    {IDC_CONNECT_DESCRIPTION, "EDIT", 130, 115, 210, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDOK, "BUTTON", 138, 148, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "OK"},
    {IDCANCEL, "BUTTON", 244, 148, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Cancel"},
};
const DialogTemplate kTemplate{.id = CConnectDlg::IDD, .cx = 356, .cy = 182, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr UINT kLabelTexts[5] = {IDS_IP_ADDRESS, IDS_PORT, IDS_ID, IDS_PASSWORD, IDS_DESCRIPTION};

bool g_testHookUsed = false;

} // namespace

CConnectDlg::CConnectDlg(CWnd* pParent, const char* location, BYTE alpha)
    : CSkinDialog(IDD, pParent), m_nAlpha(alpha), m_strLocation(location != nullptr ? location : "") {
    m_rcDrag = CRect(0, 0, 356, 182);
    m_keys = KeyPolicies::kSmallDialog;
}

void CConnectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONNECT_ADDRESS, m_editAddress);
    DDX_Control(pDX, IDC_CONNECT_PORT, m_editPort);
    DDX_Control(pDX, IDC_CONNECT_USER_ID, m_editUserId);
    DDX_Control(pDX, IDC_CONNECT_PASSWORD, m_editPassword);
    DDX_Control(pDX, IDC_CONNECT_DESCRIPTION, m_editDescription);
    DDX_Control(pDX, IDC_CONNECT_HISTORY, m_btnList);
    DDX_Control(pDX, IDC_CONNECT_MODIFY, m_btnModify);
    DDX_Control(pDX, IDC_CONNECT_DEFAULT, m_btnDefault);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_CONNECT_ADDRESS, m_strAddress);
    DDV_MaxChars(pDX, m_strAddress, int(kMaxAddressLength));
    DDX_Text(pDX, IDC_CONNECT_PORT, m_strPort);
    DDV_MaxChars(pDX, m_strPort, 5);
    DDX_Text(pDX, IDC_CONNECT_USER_ID, m_strUserId);
    DDV_MaxChars(pDX, m_strUserId, 8);
    DDX_Text(pDX, IDC_CONNECT_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, 8);
    DDX_Text(pDX, IDC_CONNECT_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, 256);
}

void CConnectDlg::LoadServer(CString& address) {
    const ServerSetting server = ServerSetting::Load();
    if (server.hasAddress) {
        address = server.address;
    }
    m_bDefaultPort = server.defaultPort ? 1 : 0;
    m_nPort = server.defaultPort ? int(kDefaultRecorderPort) : int(server.port);
}

void CConnectDlg::SaveServer(const char* address) {
    ServerSetting::Save(address, DWORD(m_nPort));
}

int CConnectDlg::LoadConnectLog() {
    return CConnectLog::Load(m_strLocation, m_table);
}

void CConnectDlg::AddConnectLog(const char* address, DWORD port, const char* description) {
    CConnectLog::Add(m_strLocation, address, port, description, DWORD(std::time(nullptr)));
}

void CConnectDlg::RefreshEdits() {
    m_bRefreshing = true;
    UpdateData(FALSE);
    m_bRefreshing = false;
}

BOOL CConnectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_CONNECT_DIALOG);
    for (int i = 0; i < 5; ++i) {
        m_bmLabel[i].LoadBitmap(IDB_CONNECT_DIALOG_ADDRESS_LABEL + i);
    }
    SetUpTextButton(m_btnOK, IDB_DIALOG_BUTTON, IDS_OK, 0x9C9C9C);
    SetUpTextButton(m_btnCancel, IDB_DIALOG_BUTTON, IDS_CANCEL, 0x9C9C9C);
    SetUpTextButton(m_btnModify, IDB_CONNECT_DIALOG_MODIFY_DEFAULT, IDS_MODIFY, 0x9C9C9C);
    SetUpTextButton(m_btnDefault, IDB_CONNECT_DIALOG_MODIFY_DEFAULT, IDS_DEFAULT, 0x9C9C9C);
    m_btnOK.MoveWindow(138, 148, 100, 27);
    m_btnCancel.MoveWindow(244, 148, 100, 27);
    m_btnModify.MoveWindow(246, 41, 100, 27);
    m_btnDefault.MoveWindow(246, 41, 100, 27);
    m_btnList.LoadBitmap(IDB_CONNECT_DIALOG_CONNECTION_HISTORY);
    m_btnList.MoveWindow(327, 20, 17, 23);

    struct {
        CEdit& edit;
        int x, y, cx;
    } const edits[] = {
        {m_editAddress, 170, 23, 152},  {m_editPort, 130, 46, 107},         {m_editUserId, 130, 69, 210},
        {m_editPassword, 130, 92, 210}, {m_editDescription, 130, 115, 210},
    };
    for (const auto& e : edits) {
        e.edit.MoveWindow(e.x, e.y, e.cx, 16);
    }
    m_editAddress.SetTextColor(0x783C3C);
    m_editPort.SetTextColor(0x783C3C);
    m_editUserId.SetTextColor(0x783C3C);
    m_editPassword.SetTextColor(0x783C3C);
    m_editDescription.SetTextColor(0x783C3C);
    SetWindowPos(nullptr, 0, 0, 356, 182, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();

    LoadServer(m_strAddress);
    m_strUserId.Empty();
    m_strPassword.Empty();
    if (m_bDefaultPort) {
        m_btnModify.ShowWindow(SW_SHOW);
        m_btnDefault.ShowWindow(SW_HIDE);
        m_strPort.Empty();
        m_editPort.EnableWindow(FALSE);
    } else {
        m_btnDefault.ShowWindow(SW_SHOW);
        m_btnModify.ShowWindow(SW_HIDE);
        m_strPort.Format("%d", m_nPort);
        m_editPort.EnableWindow(TRUE);
    }
    LoadConnectLog();
    for (const ConnectLogRecord& r : m_table) {
        if (!r.IsEmpty() && std::strcmp(r.address, m_strAddress) == 0 && int(r.port) == m_nPort) {
            m_strDescription = CString(r.description, int(strnlen(r.description, sizeof r.description)));
            break;
        }
    }
    RefreshEdits();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    ApplyTestHook();
    return TRUE;
}

void CConnectDlg::ApplyTestHook() {
    const char* hook = std::getenv("KELO_TEST_CONNECT");
    if (hook == nullptr || *hook == '\0' || g_testHookUsed) {
        return;
    }
    g_testHookUsed = true;
    std::string fields[4];
    int n = 0;
    for (const char* p = hook; *p != '\0' && n < 4; ++p) {
        if (*p == ':') {
            ++n;
        } else {
            fields[n] += *p;
        }
    }
    m_strAddress = fields[0].c_str();
    m_strPort = fields[1].c_str();
    m_strUserId = fields[2].c_str();
    m_strPassword = fields[3].c_str();
    m_bDefaultPort = 0;
    m_editPort.EnableWindow(TRUE);
    m_btnDefault.ShowWindow(SW_SHOW);
    m_btnModify.ShowWindow(SW_HIDE);
    RefreshEdits();
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CConnectDlg::OnDefaultPort() {
    m_btnModify.ShowWindow(SW_SHOW);
    m_btnDefault.ShowWindow(SW_HIDE);
    m_bRefreshing = true;
    SetDlgItemText(IDC_CONNECT_PORT, std::to_string(kDefaultRecorderPort).c_str());
    m_bRefreshing = false;
    m_editPort.EnableWindow(FALSE);
    m_bDefaultPort = 1;
}

void CConnectDlg::OnModifyPort() {
    m_btnDefault.ShowWindow(SW_SHOW);
    m_btnModify.ShowWindow(SW_HIDE);
    m_bRefreshing = true;
    SetDlgItemText(IDC_CONNECT_PORT, "");
    m_bRefreshing = false;
    m_editPort.EnableWindow(TRUE);
    m_editPort.SetFocus();
    m_bDefaultPort = 0;
    m_strPort.Empty();
}

void CConnectDlg::TakeHistoryRecord(const ConnectLogRecord& record) {
    UpdateData(TRUE);
    m_strAddress = CString(record.address, int(strnlen(record.address, sizeof record.address)));
    m_strPort.Format("%u", unsigned(record.port));
    m_strDescription = CString(record.description, int(strnlen(record.description, sizeof record.description)));
    RefreshEdits();
}

void CConnectDlg::OnList() {
    LoadConnectLog();
    CConnectListDlg list(GetParent(), m_strLocation, 255);
    list.m_table = m_table;
    ShowWindow(SW_HIDE);
    const INT_PTR result = list.DoModal();
    if (result == IDOK && list.m_nSelected >= 0 && list.m_nSelected < kConnectLogSlots &&
        !list.m_table[list.m_nSelected].IsEmpty()) {
        LoadConnectLog();
        TakeHistoryRecord(list.m_table[list.m_nSelected]);
    }
    ShowWindow(SW_SHOW);
}

void CConnectDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    m_nPort = m_bDefaultPort ? int(kDefaultRecorderPort) : std::atoi(m_strPort);
    if (m_nPort < 1 || m_nPort >= 65535) {
        m_editPort.SetFocus();
        m_bRefreshing = true;
        SetDlgItemText(IDC_CONNECT_PORT, "");
        m_bRefreshing = false;
        m_strPort.Empty();
        return;
    }
    GetDlgItemText(IDC_CONNECT_ADDRESS, m_strAddress);
    GetDlgItemText(IDC_CONNECT_USER_ID, m_strUserId);
    GetDlgItemText(IDC_CONNECT_PASSWORD, m_strPassword);
    GetDlgItemText(IDC_CONNECT_DESCRIPTION, m_strDescription);
    SaveServer(m_strAddress);
    AddConnectLog(m_strAddress, DWORD(m_nPort), m_strDescription);
    m_strAddress = CAddressResolver::Normalize(m_strAddress);
    RefreshEdits();
    EndDialog(IDOK);
}

BOOL CConnectDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == EN_CHANGE) {
        if ((id == IDC_CONNECT_ADDRESS || id == IDC_CONNECT_PORT) && !m_bRefreshing) {
            m_strDescription.Empty();
            m_bRefreshing = true;
            SetDlgItemText(IDC_CONNECT_DESCRIPTION, "");
            m_bRefreshing = false;
        }
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_CONNECT_DEFAULT:
            OnDefaultPort();
            return TRUE;
        case IDC_CONNECT_MODIFY:
            OnModifyPort();
            return TRUE;
        case IDC_CONNECT_HISTORY:
            OnList();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CConnectDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, 356, 182, FALSE, 0);
    for (int i = 0; i < 5; ++i) {
        const CRect rect(14, 24 + 23 * i, 120, 39 + 23 * i);
        DrawBitmap(pDC, m_bmLabel[i], rect.left, rect.top, rect.right, rect.bottom, FALSE, 0);
        DrawLabelText(pDC, kLabelTexts[i], rect);
    }
    return TRUE;
}
