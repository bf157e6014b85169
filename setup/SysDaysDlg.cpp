#include "setup/SysDaysDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
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

CSysDaysDlg::CSysDaysDlg(CWnd* pParent) : CSetupPage(IDD, 1723, pParent) {}

void CSysDaysDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DAYS_SLIDER, m_slider);
    DDX_Control(pDX, IDC_DAYS_VALUE, m_value);
}

CString CSysDaysDlg::DaysText(int days) {
    if (days == 0) {
        return LoadResString(5243);
    }
    CString text;
    text.Format("%d %s", days, LoadResString(5342).GetString());
    return text;
}

BOOL CSysDaysDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_slider.SetBitmapChannel(1695, 1696);
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
