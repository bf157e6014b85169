#include "app/ConnectListDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <algorithm>
#include <cstring>

namespace {

const DialogItem kItems[] = {
    {IDC_HISTORY_LIST, "SysListView32", 10, 12, 414, 370,
     WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED},
    {IDOK, "BUTTON", 228, 424, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "OK"},
    {IDCANCEL, "BUTTON", 327, 424, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Cancel"},
    {IDC_HISTORY_DELETE, "BUTTON", 13, 391, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Delete"},
    {IDC_HISTORY_EDIT, "BUTTON", 113, 391, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Edit"},
    {IDC_HISTORY_SAVE, "BUTTON", 113, 391, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Save"},
    {IDC_HISTORY_DESCRIPTION, "EDIT", 219, 393, 196, 22, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
};
const DialogTemplate kTemplate{.id = CConnectListDlg::IDD, .cx = 433, .cy = 457, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

// The columns of address, port and description, as wide at least.
constexpr int kAddressWidth = 250;
constexpr int kPortWidth = 50;
constexpr int kDescriptionWidth = 220;

} // namespace

CConnectListDlg::CConnectListDlg(CWnd* pOwner, const char* location, BYTE alpha)
    : CSkinDialog(IDD, pOwner), m_strLocation(location != nullptr ? location : ""), m_nAlpha(alpha) {
    m_rcDrag = CRect(0, 0, 433, 457);
    m_keys = KeyPolicies::kSmallDialog;
}

void CConnectListDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HISTORY_LIST, m_list);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_HISTORY_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_HISTORY_EDIT, m_btnEdit);
    DDX_Control(pDX, IDC_HISTORY_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_HISTORY_DESCRIPTION, m_editDescription);
}

BOOL CConnectListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_CONNECTION_HISTORY);

    m_list.MoveWindow(10, 12, 414, 370);
    m_list.SetTextStyle(3, 0x783C3C, TRUE, 12, "Arial Bold");
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_list.InsertColumn(0, "", LVCFMT_LEFT, kAddressWidth);
    m_list.InsertColumn(1, "", LVCFMT_LEFT, kPortWidth);
    m_list.InsertColumn(2, "", LVCFMT_LEFT, kDescriptionWidth);

    struct {
        CSkinTextButton& button;
        UINT caption;
        int x, y;
    } const buttons[] = {
        {m_btnOK, IDS_OK, 228, 424},     {m_btnCancel, IDS_CANCEL, 327, 424}, {m_btnDelete, IDS_DELETE, 13, 391},
        {m_btnEdit, IDS_EDIT, 113, 391}, {m_btnSave, IDS_SAVE, 113, 391},
    };
    for (const auto& b : buttons) {
        SetUpTextButton(b.button, IDB_DIALOG_BUTTON, b.caption, 0x9C9C9C);
        b.button.MoveWindow(b.x, b.y, 100, 27);
    }
    m_editDescription.MoveWindow(219, 393, 196, 22);
    m_editDescription.SetTextColor(0x783C3C);
    m_editDescription.SetLimitText(259);
    m_editDescription.SetWindowText("");
    m_editDescription.EnableWindow(FALSE);
    EnableChoice(FALSE);
    m_btnSave.ShowWindow(SW_HIDE);

    SetWindowPos(nullptr, 0, 0, 433, 457, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    FillRows();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

void CConnectListDlg::FillRows() {
    m_list.DeleteAllItems();
    int row = 0;
    for (int i = 0; i < kConnectLogSlots; ++i) {
        const ConnectLogRecord& r = m_table[i];
        if (r.IsEmpty()) {
            continue;
        }
        CString port;
        port.Format("%u", unsigned(r.port));
        m_list.InsertItem(row, CString(r.address, int(strnlen(r.address, sizeof r.address))));
        m_list.SetItemText(row, 1, port);
        m_list.SetItemText(row, 2, CString(r.description, int(strnlen(r.description, sizeof r.description))));
        m_list.SetItemData(row, DWORD_PTR(i));
        ++row;
    }
    // Long names and descriptions are read whole by scrolling the list sideways.
    m_list.FitColumnToTexts(0, kAddressWidth);
    m_list.FitColumnToTexts(2, kDescriptionWidth);
}

int CConnectListDlg::TableIndexOfRow(int row) const {
    if (row < 0 || row >= m_list.GetItemCount()) {
        return -1;
    }
    const int index = int(m_list.GetItemData(row));
    return index >= 0 && index < kConnectLogSlots ? index : -1;
}

void CConnectListDlg::EnableChoice(BOOL enable) {
    m_btnOK.Enable(enable);
    m_btnDelete.Enable(enable);
    m_btnEdit.Enable(enable);
}

void CConnectListDlg::OnRowSelected(int row) {
    const int index = TableIndexOfRow(row);
    if (index < 0) {
        return;
    }
    if (index != m_nSelected) {
        m_editDescription.SetWindowText("");
        m_editDescription.EnableWindow(FALSE);
        m_btnEdit.ShowWindow(SW_SHOW);
        m_btnSave.ShowWindow(SW_HIDE);
    }
    m_nSelected = index;
    EnableChoice(TRUE);
}

void CConnectListDlg::OnEdit() {
    if (m_nSelected < 0) {
        return;
    }
    const ConnectLogRecord& r = m_table[m_nSelected];
    m_editDescription.SetWindowText(CString(r.description, int(strnlen(r.description, sizeof r.description))));
    m_editDescription.EnableWindow(TRUE);
    m_editDescription.SetFocus();
    m_btnSave.ShowWindow(SW_SHOW);
    m_btnEdit.ShowWindow(SW_HIDE);
}

void CConnectListDlg::OnSaveDescription() {
    if (m_nSelected < 0) {
        return;
    }
    CString text;
    m_editDescription.GetWindowText(text);
    ConnectLogRecord& r = m_table[m_nSelected];
    std::memset(r.description, 0, sizeof r.description);
    std::strncpy(r.description, text, sizeof r.description - 1);
    SaveConnectLog();
    m_editDescription.EnableWindow(FALSE);
    m_btnEdit.ShowWindow(SW_SHOW);
    m_btnSave.ShowWindow(SW_HIDE);
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (TableIndexOfRow(row) == m_nSelected) {
            m_list.SetItemText(row, 2, CString(r.description, int(strnlen(r.description, sizeof r.description))));
        }
    }
    m_list.SetFocus();
}

void CConnectListDlg::OnDelete() {
    if (m_nSelected < 0) {
        return;
    }
    m_editDescription.SetWindowText("");
    m_editDescription.EnableWindow(FALSE);
    m_btnEdit.ShowWindow(SW_SHOW);
    m_btnSave.ShowWindow(SW_HIDE);

    int deletedRow = -1;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (TableIndexOfRow(row) == m_nSelected) {
            deletedRow = row;
        }
    }
    for (int i = m_nSelected; i < kConnectLogSlots - 1; ++i) {
        m_table[i] = m_table[i + 1];
    }
    m_table[kConnectLogSlots - 1] = ConnectLogRecord{};
    SaveConnectLog();
    if (deletedRow >= 0) {
        m_list.DeleteItem(deletedRow);
    }
    // The rows after it now stand for the records one place up.
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        const int index = int(m_list.GetItemData(row));
        if (index > m_nSelected) {
            m_list.SetItemData(row, DWORD_PTR(index - 1));
        }
    }
    const int rows = m_list.GetItemCount();
    if (rows > 0) {
        const int row = std::min(deletedRow < 0 ? 0 : deletedRow, rows - 1);
        m_nSelected = TableIndexOfRow(row);
        EnableChoice(TRUE);
    } else {
        m_nSelected = -1;
        EnableChoice(FALSE);
    }
}

void CConnectListDlg::SaveConnectLog() {
    CConnectLog::Save(m_strLocation, m_table);
}

BOOL CConnectListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_HISTORY_DELETE:
            OnDelete();
            return TRUE;
        case IDC_HISTORY_EDIT:
            OnEdit();
            return TRUE;
        case IDC_HISTORY_SAVE:
            OnSaveDescription();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CConnectListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == IDC_HISTORY_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) != 0 && change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
            OnRowSelected(change->iItem);
        }
        if (pResult != nullptr) {
            *pResult = 0;
        }
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CConnectListDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, 433, 457, FALSE, 0);
    return TRUE;
}
