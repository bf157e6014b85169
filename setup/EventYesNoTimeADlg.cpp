#include "setup/EventYesNoTimeADlg.h"

#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupRules.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

namespace {

const DialogTemplate kTemplate = CEventYesNoDlg::MakeTemplate(CEventYesNoTimeADlg::IDD, true);
const DialogTemplateRegistration kRegistered(kTemplate);

// The band behind the duration row.
constexpr RECT kBand{2, 97, 402, 116};

} // namespace

CEventYesNoTimeADlg::CEventYesNoTimeADlg(CWnd* pParent) : CEventYesNoTimeADlg(IDD, pParent) {}

CEventYesNoTimeADlg::CEventYesNoTimeADlg(UINT nIDTemplate, CWnd* pParent)
    : CEventYesNoDlg(nIDTemplate, true, pParent) {}

DWORD CEventYesNoTimeADlg::IndexToValue(int index) {
    return EventDurationOfIndex(index);
}

BYTE* CEventYesNoTimeADlg::RowBytes() const {
    return Db().event_set2;
}

DWORD& CEventYesNoTimeADlg::Duration() const {
    return Db().event_time_a;
}

BOOL CEventYesNoTimeADlg::OnInitDialog() {
    m_durations.clear();
    for (int i = 0; i < kEventDurationCount; ++i) {
        CString text;
        text.Format("%u", unsigned(IndexToValue(i)));
        m_durations.push_back(text);
    }
    CEventYesNoDlg::OnInitDialog();
    m_bmBand.LoadBitmap(IDB_EVENT_PAGES_BAND_BEHIND_DURATION_ROW);
    CSetupSkin::SetUpCaption(Label(794), CSetupSkin::At(14, 101, 130, 14), LoadResString(IDS_DURATION));
    CSetupSkin::SetUpSelector(DurationSelector(), CSetupSkin::At(225, 100, 100, 14));
    CString value;
    value.Format("%u", unsigned(Duration()));
    DurationSelector().SetText(value);
    CSetupSkin::SetUpValueText(Label(796), CSetupSkin::At(350, 100, 40, 14), LoadResString(IDS_SEC));
    for (UINT id = 794; id <= 796; ++id) {
        Label(id).ShowWindow(SW_SHOW);
    }
    return TRUE;
}

BOOL CEventYesNoTimeADlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) == IDC_DURATION) {
        OnTimeSelector();
        return TRUE;
    }
    return CEventYesNoDlg::OnCommand(wParam, lParam);
}

BOOL CEventYesNoTimeADlg::OnEraseBkgnd(CDC* pDC) {
    CEventYesNoDlg::OnEraseBkgnd(pDC);
    DrawBitmap(pDC, m_bmBand, kBand.left, kBand.top, kBand.right, kBand.bottom, TRUE, 0);
    return TRUE;
}

void CEventYesNoTimeADlg::AfterChoice() {
    ClosePopups();
}

void CEventYesNoTimeADlg::OnTimeSelector() {
    CSkinLabel& selector = DurationSelector();
    if (CSetupSkin::HasText(selector)) {
        OpenList(selector, 0, m_durations, 70);
    }
}

void CEventYesNoTimeADlg::OnListResult(int kind, int index) {
    if (kind != 0 || index < 0 || index >= kEventDurationCount) {
        return;
    }
    Duration() = IndexToValue(index);
    CSkinLabel& selector = DurationSelector();
    selector.ShowWindow(SW_HIDE);
    selector.SetText(m_durations[std::size_t(index)]);
    selector.ShowWindow(SW_SHOW);
}
