#include "archive/ItemPickerDlg.h"

#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<DialogItem> MakeItems() {
    std::vector<DialogItem> items;
    for (int k = 0; k < kPickerMaxItems; ++k) {
        items.push_back({CItemPickerDlg::kIdFirstItem + UINT(k), "STATIC", 0, 0, 10, 10, SS_NOTIFY});
    }
    return items;
}

const std::vector<DialogItem>& Items() {
    static const std::vector<DialogItem> items = MakeItems();
    return items;
}

const DialogTemplate kRemoteTemplate{.id = CItemPickerDlg::IDD,
                                     .cx = 100,
                                     .cy = 100,
                                     .style = WS_POPUP,
                                     .items = Items(),
                                     .fontFace = "System",
                                     .fontPointSize = 10};
const DialogTemplate kLocalTemplate{
    .id = 137, .cx = 100, .cy = 100, .style = WS_POPUP, .items = Items(), .fontFace = "System", .fontPointSize = 10};
const DialogTemplateRegistration kRemoteRegistered(kRemoteTemplate);
const DialogTemplateRegistration kLocalRegistered(kLocalTemplate);

} // namespace

CItemPickerDlg::CItemPickerDlg(CWnd* page, UINT field, const ListPopupRequest& request, int firstIndex, int flag,
                               UINT idd)
    : CDialog(idd, page), m_pPage(page), m_nField(field), m_request(std::make_unique<ListPopupRequest>(request)),
      m_nFirstIndex(firstIndex), m_nFlag(flag) {}

CItemPickerDlg::~CItemPickerDlg() = default;

BOOL CItemPickerDlg::Create(IPickerHost& host) {
    m_pHost = &host;
    return CDialog::Create(m_nIDTemplate, host.PickerOwner());
}

void CItemPickerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < kPickerMaxItems; ++k) {
        DDX_Control(pDX, int(kIdFirstItem) + k, m_item[k]);
    }
}

BOOL CItemPickerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_layout = MakeItemPickerLayout(DWORD(std::max(m_request->count, 0)), m_request->width, m_nFlag != 0);
    for (int i = 0; i < 9; ++i) {
        m_bmFrame[i].LoadBitmap(m_layout.frame[std::size_t(i)].bitmap);
    }
    for (int i = 0; i < 3; ++i) {
        m_bmCell[i].LoadBitmap(IDB_POPUP_ROW_LEFT_CAP + UINT(i));
    }
    const POINT origin = PickerOrigin(m_request->anchor, m_request->clickX, m_request->clickY, m_layout.width);
    MoveWindow(origin.x, origin.y, m_layout.width, m_layout.height + 10);
    for (int i = 0; i < m_layout.count; ++i) {
        CSkinLabel& label = m_item[i];
        label.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS);
        if (i < m_nFirstIndex) {
            label.SetTextStyle(0x969696, 0x969696, 0, 0, TRUE, 9, "Arial Bold");
        } else {
            label.SetTextStyle(0xE6D200, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
        }
        const char* text = m_request->items[i];
        label.SetText(CString(text, int(strnlen(text, kListPopupItemSize))));
        const RECT& r = m_layout.labels[std::size_t(i)];
        label.MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top);
        label.ShowWindow(SW_SHOW);
    }
    SetOpacity(GetSafeHwnd(), 255);
    return TRUE;
}

BOOL CItemPickerDlg::OnEraseBkgnd(CDC* pDC) {
    for (int i = 0; i < 9; ++i) {
        const PickerPiece& p = m_layout.frame[std::size_t(i)];
        DrawBitmap(pDC, m_bmFrame[i], p.rect.left, p.rect.top, p.rect.right, p.rect.bottom, p.stretch, 0);
    }
    if (m_layout.count >= 1) {
        for (const auto& cell : m_layout.cells) {
            for (int c = 0; c < 3; ++c) {
                const PickerPiece& p = cell[std::size_t(c)];
                DrawBitmap(pDC, m_bmCell[c], p.rect.left, p.rect.top, p.rect.right, p.rect.bottom, p.stretch, 0);
            }
        }
    }
    return TRUE;
}

void CItemPickerDlg::OnItemClicked(int k) {
    if (k < m_nFirstIndex || k >= m_layout.count || m_pHost == nullptr) {
        return;
    }
    m_pHost->OnItemPicked(m_pPage, m_nField, UINT(k));
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

BOOL CItemPickerDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED && id >= kIdFirstItem && id < kIdFirstItem + UINT(kPickerMaxItems)) {
        OnItemClicked(int(id - kIdFirstItem));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CItemPickerDlg::OnClose() {
    DestroyWindow();
}

void CItemPickerDlg::OnDestroy() {
    if (m_pHost != nullptr) {
        m_pHost->OnPickerDestroyed(this);
    }
    CDialog::OnDestroy();
}

void CItemPickerDlg::PostNcDestroy() {
    // The popup belongs to its window: it was handed over when the window was made.
    delete this;
}
