#include "setup/SetupListPopupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "setup/SetupDlg.h"
#include "setup/SetupPopupLayout.h"
#include "setup/SetupSkin.h"

#include <cstring>
#include <vector>

namespace {

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int i = 0; i < kListPopupLongItems; ++i) {
        items.push_back({CSetupListPopupDlg::kFirstItem + UINT(i), "STATIC", 0, 0, 10, 14, SS_NOTIFY});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate{.id = CSetupListPopupDlg::IDD, .cx = 150, .cy = 10, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

// A narrower popup would turn its frame pieces inside out.
constexpr int kMinWidth = 20;

} // namespace

CSetupListPopupDlg::CSetupListPopupDlg(CSetupPage* pOwner, int kind, const ListPopupRequest& request, int layout)
    : CSetupChildDlg(IDD), m_pOwner(pOwner), m_nKind(kind), m_request(std::make_unique<ListPopupRequest>(request)),
      m_nLayout(layout) {
    if (m_request->width >= kMinWidth) {
        m_nWidth = ListPopupWidth(m_request->count, m_nLayout, m_request->width);
    }
}

BOOL CSetupListPopupDlg::Create(CSetupDlg* pFrame) {
    return CreateIn(pFrame);
}

void CSetupListPopupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < kListPopupLongItems; ++i) {
        DDX_Control(pDX, int(kFirstItem) + i, m_items[std::size_t(i)]);
    }
}

BOOL CSetupListPopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool four = IsFourColumns();
    m_nHeight = ListRowsHeight(m_request->count, four);
    const auto pieces = PopupFramePieces(m_nWidth, m_nHeight);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        m_bmFrame[k].LoadBitmap(pieces[k].bitmap);
    }
    for (std::size_t k = 0; k < m_bmRow.size(); ++k) {
        m_bmRow[k].LoadBitmap(IDB_POPUP_ROW_LEFT_CAP + UINT(k));
    }
    const int shown = m_nHeight > 0 ? m_request->count : 0;
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
    const POINT origin = PopupOrigin(m_request->anchor, m_request->clickX, m_request->clickY, m_nWidth);
    MoveWindow(origin.x, origin.y, m_nWidth, m_nHeight + 10);
    SetOpacity(GetSafeHwnd(), 255);
    return TRUE;
}

BOOL CSetupListPopupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int i = int(LOWORD(wParam)) - int(kFirstItem);
    if (HIWORD(wParam) == STN_CLICKED && i >= 0 && i < kListPopupLongItems) {
        OnItem(i);
        return TRUE;
    }
    return CSetupChildDlg::OnCommand(wParam, lParam);
}

void CSetupListPopupDlg::OnItem(int i) {
    if (i < 0 || i >= m_request->count || m_nHeight == 0) {
        return;
    }
    if (m_pFrame != nullptr) {
        m_pFrame->OnListPopupResult(m_pOwner, m_nKind, DWORD(i));
    }
    DestroyWindow();
}

BOOL CSetupListPopupDlg::OnEraseBkgnd(CDC* pDC) {
    const auto pieces = PopupFramePieces(m_nWidth, m_nHeight);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const RECT& r = pieces[k].rect;
        DrawBitmap(pDC, m_bmFrame[k], r.left, r.top, r.right, r.bottom, pieces[k].stretch ? TRUE : FALSE, 0);
    }
    const int rows = m_nHeight > 0 ? m_request->count : 0;
    for (int i = 0; i < rows; ++i) {
        const PopupRowPieces row = ListRowPieces(i, m_nWidth, IsFourColumns());
        DrawBitmap(pDC, m_bmRow[0], row.left.left, row.left.top, row.left.right, row.left.bottom, FALSE, 0);
        DrawBitmap(pDC, m_bmRow[1], row.middle.left, row.middle.top, row.middle.right, row.middle.bottom, TRUE, 0);
        DrawBitmap(pDC, m_bmRow[2], row.right.left, row.right.top, row.right.right, row.right.bottom, FALSE, 0);
    }
    return TRUE;
}
