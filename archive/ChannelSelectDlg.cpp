#include "archive/ChannelSelectDlg.h"

#include "archive/ChannelMask.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <vector>

namespace {

constexpr UINT kIdCheckAll = 480;
constexpr UINT kIdReturnAll = 481;
constexpr UINT kIdFirstCheck = 490;
constexpr UINT kIdFirstOn = 550;
constexpr UINT kIdFirstOff = 570;
constexpr UINT kIdFirstLabel = 790;

std::vector<DialogItem> MakeItems() {
    std::vector<DialogItem> items;
    items.push_back({kIdCheckAll, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW});
    items.push_back({kIdReturnAll, "BUTTON", 103, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW});
    for (int i = 0; i < 16; ++i) {
        items.push_back({kIdFirstCheck + UINT(i), "BUTTON", 6, 7 + 23 * i, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({kIdFirstOn + UINT(i), "BUTTON", 135, 6 + 23 * i, 100, 17, WS_VISIBLE | BS_OWNERDRAW});
        items.push_back({kIdFirstOff + UINT(i), "BUTTON", 236, 6 + 23 * i, 100, 17, WS_VISIBLE | BS_OWNERDRAW});
        items.push_back({kIdFirstLabel + UINT(i), "STATIC", 28, 9 + 23 * i, 60, 14, WS_VISIBLE});
    }
    return items;
}

const std::vector<DialogItem>& Items() {
    static const std::vector<DialogItem> items = MakeItems();
    return items;
}

const DialogTemplate kSearchTemplate = ContentPageTemplate(CChannelSelectDlg::IDD, Items());
const DialogTemplate kBackupTemplate = ContentPageTemplate(980, Items());
const DialogTemplateRegistration kSearchRegistered(kSearchTemplate);
const DialogTemplateRegistration kBackupRegistered(kBackupTemplate);

} // namespace

CChannelSelectDlg::CChannelSelectDlg() : CChannelSelectDlg(IDD, kSlotChannelSelect) {}

CChannelSelectDlg::CChannelSelectDlg(UINT idd, int slot) : CSearchPage(idd, slot, IDB_PAGE_CHANNEL_ROWS) {}

void CChannelSelectDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdCheckAll, m_btnCheckAll);
    DDX_Control(pDX, kIdReturnAll, m_btnReturnAll);
    for (int i = 0; i < 16; ++i) {
        DDX_Control(pDX, int(kIdFirstCheck) + i, m_chkRow[i]);
        DDX_Control(pDX, int(kIdFirstOn) + i, m_btnOn[i]);
        DDX_Control(pDX, int(kIdFirstOff) + i, m_btnOff[i]);
        DDX_Control(pDX, int(kIdFirstLabel) + i, m_lblRow[i]);
    }
}

BOOL CChannelSelectDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_nChannels = m_pFrame->ChannelCount();
    InitLayout();
    return TRUE;
}

void CChannelSelectDlg::InitLayout() {
    const CString channel = LoadResString(IDS_CH);
    for (int i = 0; i < 16; ++i) {
        m_chkRow[i].SetBitmaps(IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_CHECKED, IDB_CHECK_BOX_NOT_CHECKED,
                               IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_SHAPE, 0, 0, 0);
        m_chkRow[i].MoveWindow(6, 7 + 23 * i, 15, 15);
        m_chkRow[i].SetCheck(0);
        m_lblRow[i].SetTextStyle2(0x785A5A, 0x785A5A, 0, 0, TRUE, 9, "Arial Bold");
        CString name;
        name.Format("%s%02d", channel.GetString(), i + 1);
        m_lblRow[i].SetText(name);
        m_lblRow[i].MoveWindow(28, 9 + 23 * i, 60, 14);
        SetUpTextButton(m_btnOn[i], IDB_ON_YES_BUTTONS, IDS_ON, 135, 6 + 23 * i, 100, 17, kPageButtonColours, 38,
                        FALSE);
        SetUpTextButton(m_btnOff[i], IDB_OFF_NO_BUTTONS, IDS_OFF, 236, 6 + 23 * i, 100, 17, kPageButtonColours, 38,
                        FALSE);
        const int show = i < m_nChannels ? SW_SHOW : SW_HIDE;
        m_chkRow[i].ShowWindow(show);
        m_lblRow[i].ShowWindow(show);
        m_btnOn[i].ShowWindow(show);
        m_btnOff[i].ShowWindow(show);
    }
    SetUpTextButton(m_btnCheckAll, IDB_PAGE_BUTTONS, IDS_ALL_CHECK, 2, 396, 97, 22);
    SetUpTextButton(m_btnReturnAll, IDB_PAGE_BUTTONS, IDS_RETURN_ALL, 103, 396, 97, 22);
    ShowRowStates();
}

void CChannelSelectDlg::ShowRowStates() {
    const DWORD mask = m_pFrame->GetChannelMask();
    for (int i = 0; i < 16; ++i) {
        const bool on = (mask & (1u << i)) != 0;
        m_btnOn[i].SetState(on ? kButtonOn : kButtonNormal);
        m_btnOff[i].SetState(on ? kButtonNormal : kButtonOn);
    }
}

void CChannelSelectDlg::SwitchRows(int row, bool on) {
    DWORD checked = 0;
    for (int r = 0; r < m_nChannels && r < 16; ++r) {
        if (m_chkRow[r].GetCheck() == BST_CHECKED) {
            checked |= 1u << r;
        }
    }
    m_pFrame->SetChannelMask(SwitchChannelRows(m_pFrame->GetChannelMask(), checked, m_nChannels, row, on));
    ShowRowStates();
}

void CChannelSelectDlg::SetRowOn(int row) {
    SwitchRows(row, true);
}

void CChannelSelectDlg::SetRowOff(int row) {
    SwitchRows(row, false);
}

void CChannelSelectDlg::CheckAllRows() {
    for (int r = 0; r < m_nChannels && r < 16; ++r) {
        m_chkRow[r].SetCheck(BST_CHECKED);
    }
}

void CChannelSelectDlg::UncheckAllRows() {
    for (int r = 0; r < m_nChannels && r < 16; ++r) {
        m_chkRow[r].SetCheck(BST_UNCHECKED);
    }
}

BOOL CChannelSelectDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSearchPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id == kIdCheckAll) {
        CheckAllRows();
        return TRUE;
    }
    if (id == kIdReturnAll) {
        UncheckAllRows();
        return TRUE;
    }
    if (id >= kIdFirstOn && id < kIdFirstOn + 16) {
        SetRowOn(int(id - kIdFirstOn));
        return TRUE;
    }
    if (id >= kIdFirstOff && id < kIdFirstOff + 16) {
        SetRowOff(int(id - kIdFirstOff));
        return TRUE;
    }
    return CSearchPage::OnCommand(wParam, lParam);
}
