#include "setup/UserSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/AccountRules.h"
#include "setup/SetupDlg.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <cstring>
#include <vector>

namespace {

using C = CUserSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kRowLabelY[7] = {9, 32, 55, 101, 124, 147, 193};
constexpr UINT kRowLabelText[7] = {IDS_ACCOUNT,  IDS_NAME,    IDS_ACTIVATION, IDS_ID,
                                   IDS_PASSWORD, IDS_CONFIRM, IDS_RIGHTS};
constexpr UINT kRightLabelText[8] = {IDS_RECORD_RIGHT, IDS_COVERT_VIEW, IDS_SETUP,     IDS_NETWORK,
                                     IDS_SEARCH,       IDS_REBOOT,      IDS_PTZ_RIGHT, IDS_BACKUP_BUTTON};
// The remote-setup right's box.
constexpr int kSetupRightBox = 2;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ADD, "BUTTON", 304, 396, 97, 22, kButton});
    for (int i = 0; i < 7; ++i) {
        items.push_back({C::IDC_FIRST_LABEL + UINT(i), "STATIC", 20, kRowLabelY[i], 110, 14, WS_VISIBLE});
    }
    for (int i = 0; i < 3; ++i) {
        items.push_back({C::IDC_ACCOUNT + UINT(i), "STATIC", 154, 8 + 23 * i, 230, 14, WS_VISIBLE | SS_NOTIFY});
    }
    for (int j = 0; j < 8; ++j) {
        items.push_back({C::IDC_RIGHT_LABEL + UINT(j), "STATIC", 194, 192 + 23 * j, 160, 14, WS_VISIBLE});
    }
    for (int i = 0; i < 3; ++i) {
        items.push_back(
            {C::IDC_NAME + UINT(i), "EDIT", 154, 98 + 23 * i, 230, 17, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    }
    for (int j = 0; j < 8; ++j) {
        items.push_back({C::IDC_BOX + UINT(j), "BUTTON", 154, 191 + 23 * j, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString EditText(const CWnd& edit) {
    CString text;
    edit.GetWindowText(text);
    return text;
}

void WriteAccountText(char (&slot)[kAccountNameSize], const CString& text) {
    std::memset(slot, 0, sizeof slot);
    WriteSlotText(slot, sizeof slot, text);
}

} // namespace

CUserSetupDlg::CUserSetupDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_USER_ACCOUNTS, pParent) {}

void CUserSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADD, m_btnAdd);
    for (int i = 0; i < 18; ++i) {
        DDX_Control(pDX, int(IDC_FIRST_LABEL) + i, m_labels[std::size_t(i)]);
    }
    DDX_Control(pDX, IDC_NAME, m_editName);
    DDX_Control(pDX, IDC_PASSWORD, m_editPassword);
    DDX_Control(pDX, IDC_CONFIRM, m_editConfirm);
    for (int j = 0; j < 8; ++j) {
        DDX_Control(pDX, int(IDC_BOX) + j, m_boxes[std::size_t(j)]);
    }
}

void CUserSetupDlg::BuildLists() {
    m_accounts = {LoadResString(IDS_ADMIN), LoadResString(IDS_MANAGER)};
    for (int n = 1; n <= 4; ++n) {
        CString text;
        text.Format("%s%d", LoadResString(IDS_USER).GetString(), n);
        m_accounts.push_back(text);
    }
    m_levels = {LoadResString(IDS_OFF), LoadResString(IDS_ON)};
    m_nameActions = {LoadResString(IDS_ADD), LoadResString(IDS_EDIT), LoadResString(IDS_DELETE)};
}

BOOL CUserSetupDlg::OnInitDialog() {
    BuildLists();
    CSetupPage::OnInitDialog();
    for (int i = 0; i < 7; ++i) {
        CSetupSkin::SetUpCaption(Label(IDC_FIRST_LABEL + UINT(i)), CSetupSkin::At(20, kRowLabelY[i], 110, 14),
                                 LoadResString(kRowLabelText[i]));
    }
    for (int i = 0; i < 3; ++i) {
        CSetupSkin::SetUpSelector(Label(IDC_ACCOUNT + UINT(i)), CSetupSkin::At(154, 8 + 23 * i, 230, 14));
    }
    CEdit* const edits[3] = {&m_editName, &m_editPassword, &m_editConfirm};
    for (int i = 0; i < 3; ++i) {
        edits[i]->MoveWindow(154, 98 + 23 * i, 230, 17);
        edits[i]->SetLimitText(kMaxTextLength);
        edits[i]->SetWindowText("");
    }
    m_editName.SetTextColor(CSetupSkin::kValueColour);
    m_editPassword.SetTextColor(CSetupSkin::kValueColour);
    m_editConfirm.SetTextColor(CSetupSkin::kValueColour);
    for (int j = 0; j < 8; ++j) {
        CSetupSkin::SetUpRowBox(m_boxes[std::size_t(j)], 154, 191 + 23 * j);
        CSetupSkin::SetUpCaption(Label(IDC_RIGHT_LABEL + UINT(j)), CSetupSkin::At(194, 192 + 23 * j, 160, 14),
                                 LoadResString(kRightLabelText[j]));
    }
    CSetupSkin::SetUpTextButton(m_btnAdd, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_ADD), CSetupSkin::kPageButtonColours);
    EnableAdd(FALSE);

    m_nLoggedIn = m_pFrame != nullptr ? m_pFrame->LoggedInAccount() : 0;
    m_nSelected = m_nLoggedIn;
    ShowAccount();
    return TRUE;
}

BOOL CUserSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == STN_CLICKED && id >= IDC_ACCOUNT && id <= IDC_LEVEL) {
        OpenSelector(int(id - IDC_ACCOUNT));
        return TRUE;
    }
    if (code == EN_CHANGE && (id == IDC_PASSWORD || id == IDC_CONFIRM)) {
        UpdateAddButton();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_ADD) {
        OnAdd();
        return TRUE;
    }
    if (code == BN_CLICKED && id >= IDC_BOX && id < IDC_BOX + 8) {
        OnRightBox(int(id - IDC_BOX));
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CUserSetupDlg::ShowAccount() {
    const AccountRightsTable& table = Db().accounts;
    if (!IsAccount(m_nSelected)) {
        Label(IDC_ACCOUNT).SetText("");
        Label(IDC_USER_NAME).SetText("");
        Label(IDC_LEVEL).SetText("");
        for (auto& box : m_boxes) {
            CSetupSkin::Tick(box, false);
        }
        return;
    }
    Label(IDC_ACCOUNT).SetText(m_nSelected < kManagedAccounts ? m_accounts[std::size_t(m_nSelected)] : CString());
    Label(IDC_USER_NAME).SetText(SlotText(table.user_name[m_nSelected], kAccountNameSize));
    Label(IDC_LEVEL).SetText(ItemOrNumber(m_levels, table.level[m_nSelected]));
    for (int j = 0; j < 8; ++j) {
        CSetupSkin::Tick(m_boxes[std::size_t(j)], table.rights[kRightOfBox[j]][m_nSelected] == 1);
    }
}

void CUserSetupDlg::ClearEdits() {
    m_editName.SetWindowText("");
    m_editPassword.SetWindowText("");
    m_editConfirm.SetWindowText("");
}

void CUserSetupDlg::EnableEdits(BOOL enable) {
    m_editName.EnableWindow(enable);
    m_editPassword.EnableWindow(enable);
    m_editConfirm.EnableWindow(enable);
}

void CUserSetupDlg::EnableAdd(BOOL enable) {
    m_btnAdd.Enable(enable);
    m_btnAdd.EnableWindow(enable);
}

void CUserSetupDlg::FocusAll(CEdit& edit) {
    edit.SetFocus();
    edit.SetSel(0, -1);
}

void CUserSetupDlg::OpenSelector(int kind) {
    switch (kind) {
    case kKindAccount: {
        const AccountRange range = AccountsOfferedTo(m_nLoggedIn);
        CSkinLabel& selector = Label(IDC_ACCOUNT);
        if (range.count == 0 || !CSetupSkin::HasText(selector)) {
            return;
        }
        OpenList(selector, kKindAccount, std::span<const CString>(m_accounts).subspan(std::size_t(range.first)), 150);
        return;
    }
    case kKindName: {
        if (!ManagesAccounts(m_nLoggedIn) || m_nSelected < 1 || !IsAccount(m_nSelected)) {
            return;
        }
        ClearEdits();
        EnableEdits(FALSE);
        EnableAdd(FALSE);
        CSkinLabel& selector = Label(IDC_USER_NAME);
        if (CSetupSkin::HasText(selector)) {
            m_nNameAction = 1;
            OpenList(selector, kKindName, std::span<const CString>(m_nameActions).subspan(1, 2), 140);
        } else {
            m_nNameAction = 0;
            OpenList(selector, kKindName, std::span<const CString>(m_nameActions).first(1), 140);
        }
        return;
    }
    case kKindLevel: {
        CSkinLabel& selector = Label(IDC_LEVEL);
        if (!ManagesAccounts(m_nLoggedIn) || m_nSelected < 1 || !IsAccount(m_nSelected) ||
            !CSetupSkin::HasText(selector)) {
            return;
        }
        OpenList(selector, kKindLevel, m_levels, 140);
        return;
    }
    default:
        return;
    }
}

void CUserSetupDlg::OnListResult(int kind, int index) {
    SetupDatabase& db = Db();
    switch (kind) {
    case kKindAccount: {
        const AccountRange range = AccountsOfferedTo(m_nLoggedIn);
        if (index < 0 || index >= range.count) {
            return;
        }
        m_nSelected = range.first + index;
        ShowAccount();
        ClearEdits();
        EnableEdits(FALSE);
        EnableAdd(FALSE);
        return;
    }
    case kKindName:
        if (!IsAccount(m_nSelected)) {
            return;
        }
        if (index == 0) {
            EnableEdits(TRUE);
            CString name;
            if (m_nNameAction == 1) {
                Label(IDC_USER_NAME).GetWindowText(name);
            }
            m_editName.SetWindowText(name);
            FocusAll(m_editName);
        } else if (index == 1 && m_nNameAction == 1) {
            Label(IDC_USER_NAME).SetText("");
            std::memset(db.accounts.user_name[m_nSelected], 0, kAccountNameSize);
        }
        return;
    case kKindLevel:
        if (!IsAccount(m_nSelected) || index < 0 || index >= int(m_levels.size())) {
            return;
        }
        Label(IDC_LEVEL).SetText(m_levels[std::size_t(index)]);
        db.accounts.level[m_nSelected] = BYTE(index);
        return;
    default:
        return;
    }
}

void CUserSetupDlg::UpdateAddButton() {
    const CString name = EditText(m_editName);
    const CString password = EditText(m_editPassword);
    const CString confirm = EditText(m_editConfirm);
    EnableAdd(AddAllowed(name.Str(), password.Str(), confirm.Str()) ? TRUE : FALSE);
}

void CUserSetupDlg::OnAdd() {
    if (!IsAccount(m_nSelected)) {
        return;
    }
    const CString name = EditText(m_editName);
    const CString password = EditText(m_editPassword);
    AccountRightsTable& table = Db().accounts;
    switch (FindAccountClash(table, m_nSelected, name.Str(), password.Str())) {
    case AccountClash::Name:
        FocusAll(m_editName);
        return;
    case AccountClash::Password:
        FocusAll(m_editPassword);
        return;
    case AccountClash::None:
        break;
    }
    const CString storedName = CutText(name, kStoredTextLength);
    const CString storedPassword = CutText(password, kStoredTextLength);
    Label(IDC_USER_NAME).SetText(storedName);
    WriteAccountText(table.user_name[m_nSelected], storedName);
    WriteAccountText(table.password[m_nSelected], storedPassword);
    ClearEdits();
    EnableEdits(FALSE);
    EnableAdd(FALSE);
}

void CUserSetupDlg::OnRightBox(int box) {
    if (box < 0 || box >= 8) {
        return;
    }
    CSkinCheckButton& check = m_boxes[std::size_t(box)];
    if (!IsAccount(m_nSelected)) {
        CSetupSkin::Tick(check, false);
        return;
    }
    BYTE& right = Db().accounts.rights[kRightOfBox[box]][m_nSelected];
    // Only accounts 0 and 1 change rights; account 0 never takes its own remote-setup right away,
    // which would shut it out of this very setup.
    const bool locked =
        !ManagesAccounts(m_nLoggedIn) || (m_nLoggedIn == 0 && box == kSetupRightBox && m_nSelected == 0);
    if (locked) {
        CSetupSkin::Tick(check, right == 1);
        return;
    }
    right = CSetupSkin::IsTicked(check) ? 1 : 0;
}
