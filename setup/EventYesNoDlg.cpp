#include "setup/EventYesNoDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CEventYesNoDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kRowTexts[C::kRows] = {IDS_VIDEO_LOSS, IDS_ALARM, IDS_MOTION, IDS_DISK_FULL_EVENT};

std::vector<DialogItem> Items(bool withDuration) {
    std::vector<DialogItem> items;
    for (int r = 0; r < C::kRows; ++r) {
        items.push_back({C::IDC_FIRST_LABEL + UINT(r), "STATIC", 14, 9 + 23 * r, 130, 14, WS_VISIBLE});
        items.push_back({C::IDC_YES + UINT(r), "BUTTON", 175, 6 + 23 * r, 100, 17, kButton});
        items.push_back({C::IDC_NO + UINT(r), "BUTTON", 276, 6 + 23 * r, 100, 17, kButton});
    }
    if (withDuration) {
        items.push_back({794, "STATIC", 14, 101, 130, 14, WS_VISIBLE});
        items.push_back({C::IDC_DURATION, "STATIC", 225, 100, 100, 14, WS_VISIBLE | SS_NOTIFY});
        items.push_back({796, "STATIC", 350, 100, 40, 14, WS_VISIBLE});
    }
    return items;
}
const DialogTemplate kTemplate = C::MakeTemplate(C::IDD, false);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

DialogTemplate CEventYesNoDlg::MakeTemplate(UINT id, bool withDuration) {
    // Other pages' templates are made from here during static initialisation, so the tables are
    // made on first use.
    static const std::vector<DialogItem> plain = Items(false);
    static const std::vector<DialogItem> duration = Items(true);
    return CSetupPage::PageTemplate(id, withDuration ? duration : plain);
}

CEventYesNoDlg::CEventYesNoDlg(CWnd* pParent) : CEventYesNoDlg(IDD, false, pParent) {}

CEventYesNoDlg::CEventYesNoDlg(UINT nIDTemplate, bool withDuration, CWnd* pParent)
    : CSetupPage(nIDTemplate, IDB_PAGE_EVENT_YES_NO_ROWS, pParent), m_bWithDuration(withDuration) {}

BYTE* CEventYesNoDlg::RowBytes() const {
    return Db().event_set1;
}

void CEventYesNoDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    const int labels = m_bWithDuration ? 7 : kRows;
    for (int i = 0; i < labels; ++i) {
        DDX_Control(pDX, int(IDC_FIRST_LABEL) + i, m_labels[std::size_t(i)]);
    }
    for (int r = 0; r < kRows; ++r) {
        DDX_Control(pDX, int(IDC_YES) + r, m_btnYes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_NO) + r, m_btnNo[std::size_t(r)]);
    }
}

BOOL CEventYesNoDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    const CString yes = LoadResString(IDS_YES);
    const CString no = LoadResString(IDS_NO);
    const BYTE* bytes = RowBytes();
    for (int r = 0; r < kRows; ++r) {
        CSetupSkin::SetUpCaption(m_labels[std::size_t(r)], CSetupSkin::At(14, 9 + 23 * r, 130, 14),
                                 LoadResString(kRowTexts[r]));
        CSetupSkin::SetUpTextButton(m_btnYes[std::size_t(r)], CSetupSkin::kOnButtonBitmap,
                                    CSetupSkin::At(175, 6 + 23 * r, 100, 17), yes, CSetupSkin::kPageButtonColours, 38,
                                    FALSE);
        CSetupSkin::SetUpTextButton(m_btnNo[std::size_t(r)], CSetupSkin::kOffButtonBitmap,
                                    CSetupSkin::At(276, 6 + 23 * r, 100, 17), no, CSetupSkin::kPageButtonColours, 38,
                                    FALSE);
        ShowRow(r, bytes[r] == 1);
    }
    return TRUE;
}

BOOL CEventYesNoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id >= IDC_YES && id < IDC_YES + kRows) {
            OnYes(int(id - IDC_YES));
            return TRUE;
        }
        if (id >= IDC_NO && id < IDC_NO + kRows) {
            OnNo(int(id - IDC_NO));
            return TRUE;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CEventYesNoDlg::ShowRow(int row, bool yes) {
    m_btnYes[std::size_t(row)].SetState(yes ? kButtonOn : kButtonNormal);
    m_btnNo[std::size_t(row)].SetState(yes ? kButtonNormal : kButtonOn);
}

void CEventYesNoDlg::OnYes(int row) {
    if (row < 0 || row >= kRows) {
        return;
    }
    ShowRow(row, true);
    RowBytes()[row] = 1;
    AfterChoice();
}

void CEventYesNoDlg::OnNo(int row) {
    if (row < 0 || row >= kRows) {
        return;
    }
    ShowRow(row, false);
    RowBytes()[row] = 0;
    AfterChoice();
}
