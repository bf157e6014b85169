#include "setup/RecResRateScheduleDlg.h"

#include "protocol/SetupDatabase.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(false);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRateScheduleDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRateScheduleDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_d_rate, &SetupDatabase::mode_d_audio, nullptr,
                     &SetupDatabase::mode_d_resolution},
    false,
    false,
    IDS_SET,
};

} // namespace

CRecResRateScheduleDlg::CRecResRateScheduleDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}

void CRecResRateScheduleDlg::OnSubPage() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_REC_SCHEDULE_DLG);
    }
}
