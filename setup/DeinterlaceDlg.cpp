#include "setup/DeinterlaceDlg.h"

#include "platform/window/DataExchange.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CDeinterlaceDlg;
constexpr DialogItem kPrevItem{C::IDC_PREV, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW};

const std::vector<DialogItem> kItems = C::PageItems(&kPrevItem);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CDeinterlaceDlg::CDeinterlaceDlg(CWnd* pParent) : COnOffRowsPage(IDD, pParent) {}

BYTE* CDeinterlaceDlg::RowBytes() {
    return Db().deinterlace;
}

void CDeinterlaceDlg::DoDataExchange(CDataExchange* pDX) {
    COnOffRowsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREV, m_btnPrev);
}

BOOL CDeinterlaceDlg::OnInitDialog() {
    COnOffRowsPage::OnInitDialog();
    CSetupSkin::SetUpTextButton(m_btnPrev, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_PREV), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL CDeinterlaceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PREV) {
        OnPrev();
        return TRUE;
    }
    return COnOffRowsPage::OnCommand(wParam, lParam);
}

void CDeinterlaceDlg::OnPrev() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_SYS_GENERAL_DLG);
    }
}
