#include "app/DropListPopupDlg.h"

#include "app/LocalSetupDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "setup/SetupPopupLayout.h"
#include "setup/SetupSkin.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int i = 0; i < kListPopupMaxItems; ++i) {
        items.push_back({CDropListPopupDlg::kFirstRow + UINT(i), "STATIC", 0, 0, 10, 14, SS_NOTIFY});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate{.id = CDropListPopupDlg::IDD, .cx = 100, .cy = 10, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

// A narrower list would turn its frame pieces inside out.
constexpr int kMinWidth = 20;

} // namespace

CDropListPopupDlg::CDropListPopupDlg(CWnd* pOwner, CLocalSetupDlg* pFrame, DWORD kind, const ListPopupRequest& request,
                                     int layout)
    : CLocalSetupChildDlg(IDD), m_pOwner(pOwner), m_nKind(kind), m_request(std::make_unique<ListPopupRequest>(request)),
      m_nLayout(layout) {
    m_pFrame = pFrame;
    // The list has 31 rows; a longer request shows its first 31 items.
    m_nRows = std::clamp(m_request->count, 0, kListPopupMaxItems);
    m_nWidth = std::max(m_request->width, kMinWidth);
}

void CDropListPopupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < kListPopupMaxItems; ++i) {
        DDX_Control(pDX, int(kFirstRow) + i, m_rows[std::size_t(i)]);
    }
}

BOOL CDropListPopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const int height = ListRowsHeight(m_nRows, false);
    const auto pieces = PopupFramePieces(m_nWidth, height);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        m_bmFrame[k].LoadBitmap(pieces[k].bitmap);
    }
    for (std::size_t k = 0; k < m_bmRow.size(); ++k) {
        m_bmRow[k].LoadBitmap(IDB_POPUP_ROW_LEFT_CAP + UINT(k));
    }
    for (int i = 0; i < m_nRows; ++i) {
        CSkinLabel& row = m_rows[std::size_t(i)];
        row.LoadBitmap(0, CSetupSkin::kSelectorBitmap);
        row.SetTextStyle(CSetupSkin::kHoverColour, CSetupSkin::kValueColour, 0, 0, TRUE, 9, "Arial Bold");
        const RECT rect = ListItemLabelRect(i, m_nWidth, false);
        row.MoveWindow(&rect);
        m_request->items[i][kListPopupItemSize - 1] = '\0';
        row.SetText(m_request->items[i]);
        row.ShowWindow(SW_SHOW);
    }
    const POINT origin = PopupOrigin(m_request->anchor, m_request->clickX, m_request->clickY, m_nWidth);
    MoveWindow(origin.x, origin.y, m_nWidth, height + 10);
    SetOpacity(GetSafeHwnd(), 255);
    return TRUE;
}

BOOL CDropListPopupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int i = int(LOWORD(wParam)) - int(kFirstRow);
    if (HIWORD(wParam) == STN_CLICKED && i >= 0 && i < kListPopupMaxItems) {
        OnRow(i);
        return TRUE;
    }
    return CLocalSetupChildDlg::OnCommand(wParam, lParam);
}

void CDropListPopupDlg::OnRow(int i) {
    if (i < 0 || i >= m_nRows) {
        return;
    }
    if (m_pFrame != nullptr) {
        m_pFrame->OnDropListResult(m_pOwner, m_nKind, DWORD(i));
    }
    DestroyWindow();
}

BOOL CDropListPopupDlg::OnEraseBkgnd(CDC* pDC) {
    const int height = ListRowsHeight(m_nRows, false);
    const auto pieces = PopupFramePieces(m_nWidth, height);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const RECT& r = pieces[k].rect;
        DrawBitmap(pDC, m_bmFrame[k], r.left, r.top, r.right, r.bottom, pieces[k].stretch ? TRUE : FALSE, 0);
    }
    for (int i = 0; i < m_nRows; ++i) {
        const PopupRowPieces row = ListRowPieces(i, m_nWidth, false);
        DrawBitmap(pDC, m_bmRow[0], row.left.left, row.left.top, row.left.right, row.left.bottom, FALSE, 0);
        DrawBitmap(pDC, m_bmRow[1], row.middle.left, row.middle.top, row.middle.right, row.middle.bottom, TRUE, 0);
        DrawBitmap(pDC, m_bmRow[2], row.right.left, row.right.top, row.right.right, row.right.bottom, FALSE, 0);
    }
    return TRUE;
}
