#include "archive/ChannelSelectDlg.h"

#include "archive/ChannelMask.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "res/ResStrings.h"

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

CChannelSelectDlg::CChannelSelectDlg(UINT idd, int slot) : CSearchPage(idd, slot, 1721) {}

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
    const CString channel = LoadResString(5152);
    for (int i = 0; i < 16; ++i) {
        m_chkRow[i].SetBitmaps(1693, 1692, 1693, 1693, 1693, 1694, 0, 0, 0);
        m_chkRow[i].MoveWindow(6, 7 + 23 * i, 15, 15);
        m_chkRow[i].SetCheck(0);
        m_lblRow[i].SetTextStyle2(0x785A5A, 0x785A5A, 0, 0, TRUE, 9, "Arial Bold");
        CString name;
        name.Format("%s%02d", channel.GetString(), i + 1);
        m_lblRow[i].SetText(name);
        m_lblRow[i].MoveWindow(28, 9 + 23 * i, 60, 14);
        SetUpTextButton(m_btnOn[i], 2136, 5344, 135, 6 + 23 * i, 100, 17, kPageButtonColours, 38, FALSE);
        SetUpTextButton(m_btnOff[i], 2137, 5340, 236, 6 + 23 * i, 100, 17, kPageButtonColours, 38, FALSE);
        const int show = i < m_nChannels ? SW_SHOW : SW_HIDE;
        m_chkRow[i].ShowWindow(show);
        m_lblRow[i].ShowWindow(show);
        m_btnOn[i].ShowWindow(show);
        m_btnOff[i].ShowWindow(show);
    }
    SetUpTextButton(m_btnCheckAll, 2258, 5640, 2, 396, 97, 22);
    SetUpTextButton(m_btnReturnAll, 2258, 5641, 103, 396, 97, 22);
    ShowRowStates();
}

void CChannelSelectDlg::ShowRowStates() {
    const DWORD mask = m_pFrame->GetChannelMask();
    for (int i = 0; i < 16; ++i) {
        const bool on = (mask & (1u << i)) != 0;
        m_btnOn[i].SetState(on ? 1 : 0);
        m_btnOff[i].SetState(on ? 0 : 1);
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
