#include "setup/RecMotionRegionDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
#include "setup/RecordPages.h"
#include "setup/SetupDlg.h"
#include "setup/SetupSkin.h"

#include <vector>

namespace {

using C = CRecMotionRegionDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackground = 1661;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_EDITOR, "STATIC", 21, 72, 360, 288, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_PREV, "BUTTON", 304, 396, 97, 22, kButton});
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        items.push_back({C::IDC_CHANNEL + UINT(ch), "BUTTON", 8 + 49 * (ch % 8), ch < 8 ? 6 : 33, 45, 22, kButton});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CRecMotionRegionDlg::CRecMotionRegionDlg(CWnd* pParent) : CSetupPage(IDD, kBackground, pParent) {}

void CRecMotionRegionDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDITOR, m_editor);
    for (UINT id = IDC_ALL_CHECK; id <= IDC_PREV; ++id) {
        DDX_Control(pDX, int(id), Button(id));
    }
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        DDX_Control(pDX, int(IDC_CHANNEL) + ch, m_btnChannel[std::size_t(ch)]);
    }
}

BOOL CRecMotionRegionDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    InitLayout();
    InitGrid();
    SelectChannel(0);
    return TRUE;
}

void CRecMotionRegionDlg::InitLayout() {
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        SetUpChannelButton(m_btnChannel[std::size_t(ch)], ch, ch < m_nChannels);
    }
    static constexpr UINT kTexts[3] = {5640, 5641, 5583};
    static constexpr int kX[3] = {2, 103, 304};
    for (int k = 0; k < 3; ++k) {
        CSetupSkin::SetUpTextButton(m_buttons[std::size_t(k)], CSetupSkin::kPageButtonBitmap,
                                    CSetupSkin::At(kX[k], 396, 97, 22), LoadResString(kTexts[k]),
                                    CSetupSkin::kPageButtonColours);
    }
}

void CRecMotionRegionDlg::InitGrid() {
    m_editor.MoveWindow(21, 72, kColumns * kCellWidth, kRows * kCellHeight);
    m_editor.LoadBitmaps(nullptr);
    m_editor.m_pData = &Db().motion_grid[0][0][0];
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            m_editor.AddCell(kCellWidth * col, kCellHeight * row, kCellWidth * col + kCellWidth,
                             kCellHeight * row + kCellHeight);
        }
    }
}

void CRecMotionRegionDlg::SelectChannel(int channel) {
    if (channel < 0 || channel >= kSetupChannels) {
        return;
    }
    m_nChannel = channel;
    m_editor.m_nBlock = channel;
    const auto& block = Db().motion_grid[channel];
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const int left = kCellWidth * col;
            const int top = kCellHeight * row;
            // Both write through, so a byte holding anything but 1 is stored as 0.
            if (block[row][col] == 1) {
                m_editor.SelectCell(left, top, left + kCellWidth, top + kCellHeight);
            } else {
                m_editor.UnselectCell(left, top, left + kCellWidth, top + kCellHeight);
            }
        }
    }
    m_editor.Invalidate(FALSE);
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        m_btnChannel[std::size_t(ch)].SetState(ch == channel ? 1 : 0);
    }
}

BOOL CRecMotionRegionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_CHANNEL && id < IDC_CHANNEL + UINT(kSetupChannels)) {
        SelectChannel(int(id - IDC_CHANNEL));
        return TRUE;
    }
    switch (id) {
    case IDC_ALL_CHECK:
        m_editor.SelectAll();
        m_editor.Invalidate(FALSE);
        return TRUE;
    case IDC_RETURN_ALL:
        m_editor.ClearAll();
        m_editor.Invalidate(FALSE);
        return TRUE;
    case IDC_PREV:
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPage165();
        }
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

void CRecMotionRegionDlg::OnDestroy() {
    m_editor.RemoveAllCells();
    m_editor.m_pData = nullptr;
    CSetupPage::OnDestroy();
}
