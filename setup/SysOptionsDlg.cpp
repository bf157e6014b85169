#include "setup/SysOptionsDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CSysOptionsDlg;
const DialogItem kItems[] = {
    {C::IDC_CAPTION1, "STATIC", 10, 9, 120, 14, WS_VISIBLE},
    {C::IDC_OPTION1, "STATIC", 190, 8, 150, 14, WS_VISIBLE | SS_NOTIFY},
    {C::IDC_CAPTION2, "STATIC", 10, 32, 120, 14, WS_VISIBLE},
    {C::IDC_OPTION2, "STATIC", 190, 31, 150, 14, WS_VISIBLE | SS_NOTIFY},
};
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kListWidth = 140;

} // namespace

CSysOptionsDlg::CSysOptionsDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_LISTS, pParent) {}

void CSysOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (UINT i = 0; i < 4; ++i) {
        DDX_Control(pDX, int(IDC_CAPTION1 + i), m_labels[i]);
    }
}

BOOL CSysOptionsDlg::OnInitDialog() {
    m_option1 = {LoadResString(IDS_OFF), LoadResString(IDS_ON)};
    m_option2 = {LoadResString(IDS_HIGH), LoadResString(IDS_MIDDLE), LoadResString(IDS_LOW)};
    CSetupPage::OnInitDialog();
    m_bmBand.LoadBitmap(IDB_OPTIONS_PAGE_BAND_BEHIND_ROW);
    CSetupSkin::SetUpCaption(Label(IDC_CAPTION1), CSetupSkin::At(10, 9, 120, 14), LoadResString(IDS_KEY_TONE));
    CSetupSkin::SetUpCaption(Label(IDC_CAPTION2), CSetupSkin::At(10, 32, 120, 14), LoadResString(IDS_LEVEL));
    CSetupSkin::SetUpSelector(Label(IDC_OPTION1), CSetupSkin::At(190, 8, 150, 14));
    CSetupSkin::SetUpSelector(Label(IDC_OPTION2), CSetupSkin::At(190, 31, 150, 14));
    // A value outside the lists shows as its number and stays until an item is chosen.
    Label(IDC_OPTION1).SetText(ItemOrNumber(m_option1, Db().system_option1));
    Label(IDC_OPTION2).SetText(ItemOrNumber(m_option2, Db().system_option2));
    return TRUE;
}

BOOL CSysOptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == STN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_OPTION1:
            OnOption1();
            return TRUE;
        case IDC_OPTION2:
            OnOption2();
            return TRUE;
        default:
            break;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

BOOL CSysOptionsDlg::OnEraseBkgnd(CDC* pDC) {
    CSetupPage::OnEraseBkgnd(pDC);
    DrawBitmap(pDC, m_bmBand, 0, 5, kWidth, 28, TRUE, 0);
    DrawBitmap(pDC, m_bmBand, 0, 28, kWidth, 51, TRUE, 0);
    return TRUE;
}

void CSysOptionsDlg::OnOption1() {
    if (CSetupSkin::HasText(Label(IDC_OPTION1))) {
        OpenList(Label(IDC_OPTION1), kKindOption1, m_option1, kListWidth);
    }
}

void CSysOptionsDlg::OnOption2() {
    if (CSetupSkin::HasText(Label(IDC_OPTION2))) {
        OpenList(Label(IDC_OPTION2), kKindOption2, m_option2, kListWidth);
    }
}

void CSysOptionsDlg::OnListResult(int kind, int index) {
    SetupDatabase& db = Db();
    BYTE* value = kind == kKindOption1 ? &db.system_option1 : kind == kKindOption2 ? &db.system_option2 : nullptr;
    const std::vector<CString>& items = kind == kKindOption1 ? m_option1 : m_option2;
    if (value == nullptr || index < 0 || index >= int(items.size()) || index == *value) {
        return;
    }
    *value = BYTE(index);
    Label(kind == kKindOption1 ? IDC_OPTION1 : IDC_OPTION2).SetText(items[std::size_t(index)]);
}
