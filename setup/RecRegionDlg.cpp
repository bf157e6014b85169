#include "setup/RecRegionDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "setup/SetupDlg.h"

namespace {

using C = CRecRegionDlg;
constexpr UINT kBackground = IDB_PAGE_RECORD_REGION;
constexpr COLORREF kStripColour = 0xC3C300;

const std::vector<DialogItem> kItems =
    C::PageItems({C::IDC_EDITOR, "STATIC", 25, 92, 356, 244, WS_VISIBLE | SS_NOTIFY});
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CRecRegionDlg::CRecRegionDlg(CWnd* pParent) : CRegionPage(IDD, kBackground, pParent) {}

void CRecRegionDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDITOR, m_editor);
    ExchangeButtons(pDX);
}

BOOL CRecRegionDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    InitLayout();
    InitGrid();
    SelectChannel(0);
    return TRUE;
}

void CRecRegionDlg::InitLayout() {
    InitButtons();
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
    ShowChannelButtons(channel);
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

bool CRecRegionDlg::OnPageButton(UINT id) {
    switch (id) {
    case IDC_RETURN_ALL:
        OnReturnAll();
        return true;
    case IDC_PREV:
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPageById(IDD_REC_GENERAL_DLG);
        }
        return true;
    default:
        return false;
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
