#include "setup/RecResRateSensDlg.h"

#include "protocol/SetupDatabase.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(false);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRateSensDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRateSensDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_e_rate, &SetupDatabase::mode_e_audio, &SetupDatabase::mode_e_sensitivity,
                     &SetupDatabase::mode_e_resolution},
    true,
    false,
    0,
};

} // namespace

CRecResRateSensDlg::CRecResRateSensDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}
