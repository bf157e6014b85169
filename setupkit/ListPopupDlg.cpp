#include "setupkit/ListPopupDlg.h"

#include "platform/window/DataExchange.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

namespace {

constexpr int kMinWidth = 20;

} // namespace

CListPopupDlg::CListPopupDlg(UINT nIDTemplate, Lifetime lifetime, const Shape& shape, const ListPopupRequest& request,
                             int layout)
    : CPopupFrameDlg(nIDTemplate, nullptr, lifetime), m_nLabels(std::clamp(shape.labels, 0, kListPopupLongItems)),
      m_nRowLimit(shape.rowLimit), m_request(std::make_unique<ListPopupRequest>(request)), m_nLayout(layout),
      m_nCount(m_request->count) {
    if (m_nRowLimit > 0) {
        m_nCount = std::clamp(m_nCount, 0, m_nRowLimit);
    }
    m_nWidth =
        m_request->width >= kMinWidth ? ListPopupWidth(m_nCount, m_nLayout, m_request->width) : shape.narrowWidth;
}

std::vector<DialogItem> CListPopupDlg::TemplateItems(int labels) {
    std::vector<DialogItem> items;
    for (int i = 0; i < labels; ++i) {
        items.push_back({kFirstItem + UINT(i), "STATIC", 0, 0, 10, 14, SS_NOTIFY});
    }
    return items;
}

void CListPopupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < m_nLabels; ++i) {
        DDX_Control(pDX, int(kFirstItem) + i, m_items[std::size_t(i)]);
    }
}

BOOL CListPopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool four = IsFourColumns();
    m_nHeight = ListRowsHeight(m_nCount, four);
    LoadFrame();
    const int shown = std::min(ShownItems(), m_nLabels);
    for (int i = 0; i < shown; ++i) {
        CSkinLabel& label = m_items[std::size_t(i)];
        label.LoadBitmap(0, CSetupSkin::kSelectorBitmap);
        label.SetTextStyle(CSetupSkin::kHoverColour, CSetupSkin::kValueColour, 0, 0, TRUE, 9, "Arial Bold");
        const RECT rect = ListItemLabelRect(i, m_nWidth, four);
        label.MoveWindow(&rect);
        m_request->items[i][kListPopupItemSize - 1] = '\0';
        label.SetText(m_request->items[i]);
        label.ShowWindow(SW_SHOW);
    }
    PlaceAt(m_request->anchor, m_request->clickX, m_request->clickY);
    return TRUE;
}

BOOL CListPopupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int i = int(LOWORD(wParam)) - int(kFirstItem);
    if (HIWORD(wParam) == STN_CLICKED && i >= 0 && i < m_nLabels) {
        OnItem(i);
        return TRUE;
    }
    return CPopupFrameDlg::OnCommand(wParam, lParam);
}

void CListPopupDlg::OnItem(int i) {
    if (i < 0 || i >= ShownItems()) {
        return;
    }
    Deliver(i);
    DestroyWindow();
}

BOOL CListPopupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawFrame(pDC);
    const bool four = IsFourColumns();
    for (int i = 0; i < ShownItems(); ++i) {
        DrawRow(pDC, ListRowPieces(i, m_nWidth, four));
    }
    return TRUE;
}
