#include "setup/RecMotionRegionDlg.h"

#include "platform/window/DataExchange.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "setup/SetupDlg.h"

namespace {

using C = CRecMotionRegionDlg;
constexpr UINT kBackground = IDB_PAGE_MOTION_AREA;

const std::vector<DialogItem> kItems =
    C::PageItems({C::IDC_EDITOR, "STATIC", 21, 72, 360, 288, WS_VISIBLE | SS_NOTIFY});
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CRecMotionRegionDlg::CRecMotionRegionDlg(CWnd* pParent) : CRegionPage(IDD, kBackground, pParent) {}

void CRecMotionRegionDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDITOR, m_editor);
    ExchangeButtons(pDX);
}

BOOL CRecMotionRegionDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    InitButtons();
    InitGrid();
    SelectChannel(0);
    return TRUE;
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
    ShowChannelButtons(channel);
}

bool CRecMotionRegionDlg::OnPageButton(UINT id) {
    switch (id) {
    case IDC_ALL_CHECK:
        m_editor.SelectAll();
        m_editor.Invalidate(FALSE);
        return true;
    case IDC_RETURN_ALL:
        m_editor.ClearAll();
        m_editor.Invalidate(FALSE);
        return true;
    case IDC_PREV:
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPageById(IDD_REC_RES_RATE_MOTION_DLG);
        }
        return true;
    default:
        return false;
    }
}

void CRecMotionRegionDlg::OnDestroy() {
    m_editor.RemoveAllCells();
    m_editor.m_pData = nullptr;
    CSetupPage::OnDestroy();
}
