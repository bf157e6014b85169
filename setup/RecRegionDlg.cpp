#include "setup/RecRegionDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
#include "setup/RecordPages.h"
#include "setup/SetupDlg.h"
#include "setup/SetupSkin.h"

namespace {

using C = CRecRegionDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackground = 1667;
constexpr COLORREF kStripColour = 0xC3C300;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_EDITOR, "STATIC", 25, 92, 356, 244, WS_VISIBLE | SS_NOTIFY});
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

CRecRegionDlg::CRecRegionDlg(CWnd* pParent) : CSetupPage(IDD, kBackground, pParent) {}

void CRecRegionDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDITOR, m_editor);
    for (UINT id = IDC_ALL_CHECK; id <= IDC_PREV; ++id) {
        DDX_Control(pDX, int(id), Button(id));
    }
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        DDX_Control(pDX, int(IDC_CHANNEL) + ch, m_btnChannel[std::size_t(ch)]);
    }
}

BOOL CRecRegionDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    InitLayout();
    InitGrid();
    SelectChannel(0);
    return TRUE;
}

void CRecRegionDlg::InitLayout() {
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
    // A whole-picture region is not offered: Return All takes the first place.
    Button(IDC_ALL_CHECK).ShowWindow(SW_HIDE);
    Button(IDC_RETURN_ALL).MoveWindow(2, 396, 97, 22);
}

void CRecRegionDlg::InitGrid() {
    m_editor.MoveWindow(25, 92, 356, 244);
    m_editor.LoadBitmaps(nullptr);
    m_editor.m_pRefreshWnd = this;
    m_cells.assign(std::size_t(CGridAreaCtrl2::kBlocks) * CGridAreaCtrl2::kBlockBytes, 0);
    m_editor.m_pData = m_cells.data();
    m_editor.m_pRectTable = Db().region_left;
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            m_editor.AddCell(kCellWidth * col, kCellHeight * row, kCellWidth * col + kCellWidth,
                             kCellHeight * row + kCellHeight);
        }
    }
}

void CRecRegionDlg::SelectChannel(int channel) {
    if (channel < 0 || channel >= kSetupChannels) {
        return;
    }
    m_nChannel = channel;
    m_editor.m_nBlock = channel;
    m_editor.ClearAll();
    const SetupDatabase& db = Db();
    const int left = db.region_left[channel];
    const int right = db.region_right[channel];
    const int top = db.region_top[channel];
    const int bottom = db.region_bottom[channel];
    // The editor stores the last column and row it selected, so they are shown selected too.
    if (left < right && top < bottom) {
        m_editor.SelectCellsInRect(kCellWidth * left, kCellHeight * top, kCellWidth * (right + 1),
                                   kCellHeight * (bottom + 1));
    }
    m_editor.Invalidate(FALSE);
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        m_btnChannel[std::size_t(ch)].SetState(ch == channel ? 1 : 0);
    }
    RepaintStrip();
}

void CRecRegionDlg::OnReturnAll() {
    m_editor.ClearAll();
    m_editor.Invalidate(FALSE);
    SetupDatabase& db = Db();
    db.region_left[m_nChannel] = 0;
    db.region_right[m_nChannel] = 0;
    db.region_top[m_nChannel] = 0;
    db.region_bottom[m_nChannel] = 0;
    RepaintStrip();
}

CString CRecRegionDlg::StripText() const {
    const SetupDatabase& db = Db();
    CString text;
    text.Format("LEFT: %d    RIGHT: %d    TOP: %d    BOTTOM: %d", db.region_left[m_nChannel],
                db.region_right[m_nChannel], db.region_top[m_nChannel], db.region_bottom[m_nChannel]);
    return text;
}

void CRecRegionDlg::RepaintStrip() {
    InvalidateRect(&kStrip);
}

BOOL CRecRegionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_CHANNEL && id < IDC_CHANNEL + UINT(kSetupChannels)) {
        SelectChannel(int(id - IDC_CHANNEL));
        return TRUE;
    }
    switch (id) {
    case IDC_RETURN_ALL:
        OnReturnAll();
        return TRUE;
    case IDC_PREV:
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPage162();
        }
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

BOOL CRecRegionDlg::OnEraseBkgnd(CDC* pDC) {
    CSetupPage::OnEraseBkgnd(pDC);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kStripColour);
    CRect strip(kStrip);
    pDC->DrawText(StripText(), &strip, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return TRUE;
}

void CRecRegionDlg::OnDestroy() {
    m_editor.RemoveAllCells();
    m_editor.m_pData = nullptr;
    m_editor.m_pRectTable = nullptr;
    m_editor.m_pRefreshWnd = nullptr;
    CSetupPage::OnDestroy();
}
