#include "setup/EmailSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/PacketHeader.h"
#include "protocol/SetupDatabase.h"
#include "protocol/Trace.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CEmailSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int r = 0; r < 5; ++r) {
        items.push_back({C::IDC_FIRST_LABEL + UINT(r), "STATIC", 12, 9 + 23 * r, 130, 14, WS_VISIBLE});
    }
    items.push_back({C::IDC_OPTION, "STATIC", 167, 100, 225, 14, WS_VISIBLE | SS_NOTIFY});
    for (int r = 0; r < C::kFields; ++r) {
        items.push_back(
            {C::IDC_EDIT + UINT(r), "EDIT", 167, 6 + 23 * r, 225, 17, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    }
    items.push_back({C::IDC_SEND_TEST_MAIL, "BUTTON", 241, 396, 160, 22, kButton});
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CEmailSetupDlg::CEmailSetupDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_E_MAIL, pParent) {}

void CEmailSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int r = 0; r < kFields; ++r) {
        DDX_Control(pDX, int(IDC_EDIT) + r, m_edits[std::size_t(r)]);
    }
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, int(IDC_FIRST_LABEL) + i, m_labels[std::size_t(i)]);
    }
    DDX_Control(pDX, IDC_SEND_TEST_MAIL, m_btnSendTestMail);
}

BOOL CEmailSetupDlg::OnInitDialog() {
    m_options = {LoadResString(IDS_DISABLED), LoadResString(IDS_EVENTS), LoadResString(IDS_EVENTS_AND_LOG)};
    CSetupPage::OnInitDialog();
    for (int r = 0; r < 5; ++r) {
        CString text;
        if (r < 3) {
            text.Format("%s %d", LoadResString(IDS_USER).GetString(), r + 1);
        } else {
            text = LoadResString(r == 3 ? IDS_MAIL_SERVER : IDS_SENDER);
        }
        CSetupSkin::SetUpCaption(Label(IDC_FIRST_LABEL + UINT(r)), CSetupSkin::At(12, 9 + 23 * r, 130, 14), text);
    }
    const EmailSettings& email = Db().email;
    CSetupSkin::SetUpSelector(OptionSelector(), CSetupSkin::At(167, 100, 225, 14));
    OptionSelector().SetText(ItemOrNumber(m_options, email.option));
    CSetupSkin::SetUpTextButton(m_btnSendTestMail, CSetupSkin::kWideButtonBitmap, CSetupSkin::At(241, 396, 160, 22),
                                LoadResString(IDS_SEND_TEST_MAIL), CSetupSkin::kPageButtonColours);
    m_bFilling = true;
    for (int r = 0; r < kFields; ++r) {
        CNameEdit& edit = m_edits[std::size_t(r)];
        edit.MoveWindow(167, 6 + 23 * r, 225, 17);
        edit.SetTextColor(CSetupSkin::kValueColour);
        edit.SetLimitText(kMaxTextLength);
        edit.SetWindowText(SlotText(email.text[r], sizeof email.text[r]));
    }
    m_bFilling = false;
    return TRUE;
}

BOOL CEmailSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    const int field = int(id) - int(IDC_EDIT);
    if (field >= 0 && field < kFields) {
        if (code == EN_CHANGE) {
            OnEditChange(field);
            return TRUE;
        }
        if (code == EN_SETFOCUS) {
            ClosePopups();
            return TRUE;
        }
    }
    if (code == STN_CLICKED && id == IDC_OPTION) {
        OnOptionSelector();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_SEND_TEST_MAIL) {
        OnSendTestMail();
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CEmailSetupDlg::OnEditChange(int field) {
    if (m_bFilling || field < 0 || field >= kFields) {
        return;
    }
    CString text;
    m_edits[std::size_t(field)].GetWindowText(text);
    char* slot = Db().email.text[field];
    WriteSlotText(slot, sizeof Db().email.text[field], text);
}

void CEmailSetupDlg::OnOptionSelector() {
    if (CSetupSkin::HasText(OptionSelector())) {
        OpenList(OptionSelector(), 0, m_options, 180);
    }
}

void CEmailSetupDlg::OnListResult(int, int index) {
    if (index < 0 || index >= int(m_options.size())) {
        return;
    }
    OptionSelector().SetText(m_options[std::size_t(index)]);
    Db().email.option = BYTE(index);
}

void CEmailSetupDlg::OnSendTestMail() {
    CDvrClient* client = Client();
    if (client == nullptr || !client->Login().IsConnected()) {
        return;
    }
    const EmailSettings& email = Db().email;
    client->SendPacket(PacketHeader::Request(Msg::SEND_TEST_MAIL_REQ, sizeof email), &email, sizeof email);
    Trace("Send... SEND_TEST_MAIL_REQ...\n");
}
