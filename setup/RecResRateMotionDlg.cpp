#include "setup/RecResRateMotionDlg.h"

#include "protocol/SetupDatabase.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(false);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRateMotionDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRateMotionDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_c_rate, &SetupDatabase::mode_c_audio, &SetupDatabase::mode_c_sensitivity,
                     &SetupDatabase::mode_c_resolution},
    true,
    false,
    IDS_REGION,
};

} // namespace

CRecResRateMotionDlg::CRecResRateMotionDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}

void CRecResRateMotionDlg::OnSubPage() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_REC_MOTION_REGION_DLG);
    }
}
