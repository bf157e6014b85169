#include "setup/OsdSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "setup/SetupRules.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = COsdSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
// The item tables hold texts of at most 29 characters.
constexpr int kItemChars = 29;
constexpr int kListWidth[C::kListCount] = {140, 60, 100, 100, 100};

bool IsSelector(UINT id) {
    for (UINT s : C::kSelectorOfList) {
        if (s == id) {
            return true;
        }
    }
    return false;
}

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    for (UINT id = 790; id <= 801; ++id) {
        items.push_back({id, "STATIC", 26, 9, 124, 14, WS_VISIBLE | (IsSelector(id) ? SS_NOTIFY : 0u)});
    }
    for (int k = 0; k < 2; ++k) {
        items.push_back({C::IDC_ROW_BOX + UINT(k), "BUTTON", 6, 30 + 23 * k, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_ON + UINT(k), "BUTTON", 175, 29 + 23 * k, 100, 17, kButton});
        items.push_back({C::IDC_ROW_OFF + UINT(k), "BUTTON", 276, 29 + 23 * k, 100, 17, kButton});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString WithText(const char* format, UINT textId) {
    CString text;
    text.Format(format, LoadResString(textId).GetString());
    return CutText(text, kItemChars);
}

} // namespace

COsdSetupDlg::COsdSetupDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_OSD_BASIC, pParent) {}

void COsdSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    for (int i = 0; i < 12; ++i) {
        DDX_Control(pDX, int(IDC_FIRST_LABEL) + i, m_labels[std::size_t(i)]);
    }
    for (int k = 0; k < 2; ++k) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + k, m_boxes[std::size_t(k)]);
        DDX_Control(pDX, int(IDC_ROW_ON) + k, m_btnOn[std::size_t(k)]);
        DDX_Control(pDX, int(IDC_ROW_OFF) + k, m_btnOff[std::size_t(k)]);
    }
}

void COsdSetupDlg::BuildLists() {
    const CString off = CutText(LoadResString(IDS_OFF), kItemChars);
    const CString last = CutText(LoadResString(IDS_ALWAYS), kItemChars);
    m_items[0] = {off, WithText("5 %s", IDS_SEC), WithText("10 %s", IDS_SEC), last};
    m_items[1].clear();
    for (int i = 0; i <= 6; ++i) {
        CString number;
        number.Format("%d", i);
        m_items[1].push_back(number);
    }
    m_items[2] = {off, WithText("5%s", IDS_SEC), WithText("10%s", IDS_SEC), last};
    m_items[3] = {WithText("1%s", IDS_MIN), WithText("5%s", IDS_MIN)};
    m_items[4] = m_items[3];
}

BYTE& COsdSetupDlg::ListByte(int list) const {
    SetupDatabase& db = Db();
    switch (list) {
    case 1:
        return db.osd_list1;
    case 2:
        return db.osd_list2;
    case 3:
        return db.osd_list3;
    case 4:
        return db.osd_list4;
    default:
        return db.osd_list0;
    }
}

BYTE& COsdSetupDlg::SwitchByte(int row) const {
    return row == 0 ? Db().osd_switch1 : Db().osd_switch2;
}

BOOL COsdSetupDlg::OnInitDialog() {
    m_bExtended = m_pFrame != nullptr && IsExtendedOsdVersion(m_pFrame->m_nMajor, m_pFrame->m_nMinor);
    m_nBackgroundBitmap = m_bExtended ? IDB_PAGE_OSD_EXTENDED : IDB_PAGE_OSD_BASIC;
    BuildLists();
    CSetupPage::OnInitDialog();

    const int list1Y = m_bExtended ? 146 : 77;
    CSetupSkin::SetUpCaption(Label(790), CSetupSkin::At(26, 9, 124, 14), LoadResString(IDS_DISPLAY_TIME));
    CSetupSkin::SetUpCaption(Label(791), CSetupSkin::At(26, 32, 124, 14), LoadResString(IDS_EVENT));
    CSetupSkin::SetUpCaption(Label(792), CSetupSkin::At(26, 55, 124, 14), LoadResString(IDS_CAMERA_NAME));
    CSetupSkin::SetUpCaption(Label(794), CSetupSkin::At(26, list1Y + 1, 124, 14), LoadResString(IDS_POSITION));
    CSetupSkin::SetUpSelector(Selector(0), CSetupSkin::At(185, 8, 155, 14));
    CSetupSkin::SetUpSelector(Selector(1), CSetupSkin::At(185, list1Y, 155, 14));
    const int visibleLists = m_bExtended ? kListCount : 2;
    if (m_bExtended) {
        for (int i = 0; i < 3; ++i) {
            CSetupSkin::SetUpCaption(Label(796 + UINT(i)), CSetupSkin::At(26, 78 + 23 * i, 124, 14),
                                     LoadResString(IDS_POPUP_TIME + UINT(i)));
            CSetupSkin::SetUpSelector(Selector(2 + i), CSetupSkin::At(185, 77 + 23 * i, 155, 14));
        }
    } else {
        for (UINT id = 796; id <= 801; ++id) {
            Label(id).ShowWindow(SW_HIDE);
        }
    }
    for (int list = 0; list < visibleLists; ++list) {
        Selector(list).SetText(ItemOrNumber(m_items[std::size_t(list)], ListByte(list)));
    }

    const CString on = LoadResString(IDS_ON);
    const CString off = LoadResString(IDS_OFF);
    for (int k = 0; k < 2; ++k) {
        CSetupSkin::SetUpRowBox(m_boxes[std::size_t(k)], 6, 30 + 23 * k);
        CSetupSkin::SetUpTextButton(m_btnOn[std::size_t(k)], CSetupSkin::kOnButtonBitmap,
                                    CSetupSkin::At(175, 29 + 23 * k, 100, 17), on, CSetupSkin::kPageButtonColours);
        CSetupSkin::SetUpTextButton(m_btnOff[std::size_t(k)], CSetupSkin::kOffButtonBitmap,
                                    CSetupSkin::At(276, 29 + 23 * k, 100, 17), off, CSetupSkin::kPageButtonColours);
        ShowSwitch(k, SwitchByte(k) == 1);
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL COsdSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == STN_CLICKED) {
        for (int list = 0; list < kListCount; ++list) {
            if (kSelectorOfList[list] == id) {
                OnSelector(list);
                return TRUE;
            }
        }
    }
    if (code == BN_CLICKED) {
        if (id == IDC_ROW_ON || id == IDC_ROW_ON + 1) {
            OnSwitch(int(id - IDC_ROW_ON), true);
            return TRUE;
        }
        if (id == IDC_ROW_OFF || id == IDC_ROW_OFF + 1) {
            OnSwitch(int(id - IDC_ROW_OFF), false);
            return TRUE;
        }
        if (id == IDC_ALL_CHECK || id == IDC_RETURN_ALL) {
            OnAllCheck(id == IDC_ALL_CHECK);
            return TRUE;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void COsdSetupDlg::OnSelector(int list) {
    if (list < 0 || list >= kListCount || (list >= 2 && !m_bExtended)) {
        return;
    }
    CSkinLabel& selector = Selector(list);
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    OpenList(selector, list, m_items[std::size_t(list)], kListWidth[list], 0);
}

void COsdSetupDlg::OnListResult(int kind, int index) {
    if (kind < 0 || kind >= kListCount) {
        return;
    }
    const auto& items = m_items[std::size_t(kind)];
    if (index < 0 || index >= int(items.size())) {
        return;
    }
    Selector(kind).SetText(items[std::size_t(index)]);
    ListByte(kind) = BYTE(index);
}

void COsdSetupDlg::ShowSwitch(int row, bool on) {
    m_btnOn[std::size_t(row)].SetState(on ? kButtonOn : kButtonNormal);
    m_btnOff[std::size_t(row)].SetState(on ? kButtonNormal : kButtonOn);
}

void COsdSetupDlg::OnSwitch(int row, bool on) {
    std::array<bool, kSetupRows> ticked{};
    ticked[0] = CSetupSkin::IsTicked(m_boxes[0]);
    ticked[1] = CSetupSkin::IsTicked(m_boxes[1]);
    for (int r : RowsReachedBy(row, ticked, 2)) {
        ShowSwitch(r, on);
        SwitchByte(r) = on ? 1 : 0;
    }
}

void COsdSetupDlg::OnAllCheck(BOOL tick) {
    for (auto& box : m_boxes) {
        CSetupSkin::Tick(box, tick != FALSE);
    }
}
