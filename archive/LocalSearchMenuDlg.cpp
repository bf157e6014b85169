#include "archive/LocalSearchMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageTemplate.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
const DialogItem kItems[] = {
    MenuColumnButton(CLocalSearchMenuDlg::kIdDateTime, 1, kButtonStyle),
    MenuColumnButton(CLocalSearchMenuDlg::kIdEvent, 41, kButtonStyle),
    MenuColumnButton(CLocalSearchMenuDlg::kIdCalendar, 81, kButtonStyle),
};
const DialogTemplate kTemplate = MenuColumnTemplate(CLocalSearchMenuDlg::IDD, kItems, "System", 10);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr COLORREF kColours[4] = {0xFBF1D8, 0xF1EB62, 0xF1EB62, 0xFBF1D8};

} // namespace

CLocalSearchMenuDlg::CLocalSearchMenuDlg()
    : CLocalSearchPage(IDD, kLocalSlotSearchMenu, IDB_FRAME_MENU_TAB_PANEL, 14, 74, 174, 430) {}

void CLocalSearchMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    for (int i = 0; i < 3; ++i) {
        DDX_Control(pDX, kIdDateTime + UINT(i), m_btn[i]);
    }
}

BOOL CLocalSearchMenuDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    static constexpr UINT kBitmaps[3] = {IDB_SEARCH_MENU_DATE_TIME, IDB_SEARCH_MENU_EVENTS, IDB_SEARCH_MENU_CALENDAR};
    static constexpr UINT kTexts[3] = {IDS_DATE_TIME, IDS_EVENT, IDS_CALENDAR};
    for (int i = 0; i < 3; ++i) {
        m_btn[i].LoadBitmap(kBitmaps[i]);
        for (int c = 0; c < 4; ++c) {
            m_btn[i].m_clrText[c] = kColours[c];
        }
        m_btn[i].SetFont(9, 0, 700, "Arial Bold");
        m_btn[i].SetCaption(34, LoadResString(kTexts[i]), FALSE);
        m_btn[i].MoveWindow(2, 1 + 40 * i, 170, 35);
    }
    if (m_pFrame != nullptr && m_pFrame->Host().IsRemovable()) {
        OnCalendar();
    } else {
        OnDateTime();
    }
    return TRUE;
}

BOOL CLocalSearchMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kIdDateTime:
            OnDateTime();
            return TRUE;
        case kIdEvent:
            OnEvent();
            return TRUE;
        case kIdCalendar:
            OnCalendar();
            return TRUE;
        default:
            break;
        }
    }
    return CLocalSearchPage::OnCommand(wParam, lParam);
}

void CLocalSearchMenuDlg::Press(int index) {
    for (int i = 0; i < 3; ++i) {
        m_btn[i].SetState(kButtonNormal);
    }
    m_btn[index].SetState(kButtonOn);
}

void CLocalSearchMenuDlg::OnDateTime() {
    Press(0);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowDateTimePage();
    }
}

void CLocalSearchMenuDlg::OnEvent() {
    Press(1);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowEventListPage();
    }
}

void CLocalSearchMenuDlg::OnCalendar() {
    Press(2);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowCalendarPage();
    }
}
