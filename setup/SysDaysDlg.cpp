#include "setup/SysDaysDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CSysDaysDlg;
const DialogItem kItems[] = {
    {C::IDC_DAYS_SLIDER, "STATIC", 103, 10, 190, 9, WS_VISIBLE | SS_NOTIFY},
    {C::IDC_DAYS_VALUE, "STATIC", 315, 8, 72, 14, WS_VISIBLE},
};
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kMaxDays = 99;

} // namespace

CSysDaysDlg::CSysDaysDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_BLANK_PAGE_DAYS, pParent) {}

void CSysDaysDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DAYS_SLIDER, m_slider);
    DDX_Control(pDX, IDC_DAYS_VALUE, m_value);
}

CString CSysDaysDlg::DaysText(int days) {
    if (days == 0) {
        return LoadResString(IDS_NONE);
    }
    CString text;
    text.Format("%d %s", days, LoadResString(IDS_DAYS).GetString());
    return text;
}

BOOL CSysDaysDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
    m_slider.MoveWindow(103, 10, 190, 9);
    m_slider.SetMargin(0, 0, 0, 0);
    m_slider.SetRange(0, kMaxDays);
    m_slider.SetPos(Db().days);
    CSetupSkin::SetUpValueText(m_value, CSetupSkin::At(315, 8, 72, 14), DaysText(m_slider.GetPos()));
    return TRUE;
}

LRESULT CSysDaysDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        if (wParam == IDC_DAYS_SLIDER) {
            OnSliderMoved();
        }
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

void CSysDaysDlg::OnSliderMoved() {
    const int days = m_slider.GetPos();
    m_value.SetText(DaysText(days));
    Db().days = BYTE(days);
}
