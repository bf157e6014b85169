#include "setup/ChannelTriStateDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setup/SetupRules.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CChannelTriStateDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kFirstRowY = 7;
constexpr int kButtonWidth = 95;
// By value: None, Off, On.
constexpr UINT kButtonIds[3] = {C::IDC_ROW_NONE, C::IDC_ROW_OFF, C::IDC_ROW_ON};
constexpr int kButtonX[3] = {75, 170, 265};
constexpr UINT kButtonTexts[3] = {IDS_NONE, IDS_OFF_CHOICE, IDS_ON_CHOICE};
constexpr UINT kButtonBitmap = IDB_NONE_OFF_ON_BUTTONS;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    for (int r = 0; r < 16; ++r) {
        const int y = kFirstRowY + 23 * r;
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, y, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, y + 2, 45, 14, WS_VISIBLE});
        for (int v = 0; v < 3; ++v) {
            items.push_back({kButtonIds[v] + UINT(r), "BUTTON", kButtonX[v], y - 1, kButtonWidth, 17, kButton});
        }
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CChannelTriStateDlg::CChannelTriStateDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_CHANNEL_ROWS, pParent) {}

void CChannelTriStateDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[std::size_t(r)]);
        for (int v = 0; v < 3; ++v) {
            DDX_Control(pDX, int(kButtonIds[v]) + r, m_buttons[std::size_t(v)][std::size_t(r)]);
        }
    }
}

BOOL CChannelTriStateDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    CString texts[3];
    for (int v = 0; v < 3; ++v) {
        texts[v] = LoadResString(kButtonTexts[v]);
    }
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = kFirstRowY + 23 * r;
        CSetupSkin::SetUpRowBox(m_boxes[i], 6, y);
        CSetupSkin::SetUpCaption(m_labels[i], CSetupSkin::At(28, y + 2, 45, 14), RowName(r));
        for (int v = 0; v < 3; ++v) {
            CSetupSkin::SetUpTextButton(m_buttons[std::size_t(v)][i], kButtonBitmap,
                                        CSetupSkin::At(kButtonX[v], y - 1, kButtonWidth, 17), texts[v],
                                        CSetupSkin::kPageButtonColours);
        }
        ShowRow(r, Db().tri_state[r]);
        if (r >= m_nChannels) {
            m_boxes[i].ShowWindow(SW_HIDE);
            m_labels[i].ShowWindow(SW_HIDE);
            for (auto& column : m_buttons) {
                column[i].ShowWindow(SW_HIDE);
            }
        }
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL CChannelTriStateDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    for (BYTE v = 0; v < 3; ++v) {
        if (id >= kButtonIds[v] && id < kButtonIds[v] + 16) {
            SetRow(int(id - kButtonIds[v]), v);
            return TRUE;
        }
    }
    if (id == IDC_ALL_CHECK || id == IDC_RETURN_ALL) {
        OnAllCheck(id == IDC_ALL_CHECK);
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CChannelTriStateDlg::ShowRow(int row, BYTE value) {
    // A stored value outside 0..2 selects none of the buttons.
    for (BYTE v = 0; v < 3; ++v) {
        m_buttons[v][std::size_t(row)].SetState(v == value ? kButtonOn : kButtonNormal);
    }
}

void CChannelTriStateDlg::SetRow(int row, BYTE value) {
    if (row < 0 || row >= m_nChannels || value > kOn) {
        return;
    }
    const std::array<bool, kSetupRows> ticked = TickedRows(m_boxes);
    for (int r : RowsReachedBy(row, ticked, m_nChannels)) {
        ShowRow(r, value);
        Db().tri_state[r] = value;
    }
}

void CChannelTriStateDlg::OnAllCheck(bool tick) {
    TickRows(m_boxes, m_nChannels, tick);
}
