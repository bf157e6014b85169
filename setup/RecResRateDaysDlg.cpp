#include "setup/RecResRateDaysDlg.h"

#include "protocol/SetupDatabase.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(true);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRateDaysDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRateDaysDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_f_onoff, &SetupDatabase::mode_f_audio, nullptr,
                     &SetupDatabase::mode_f_resolution},
    true,
    true,
    0,
};

} // namespace

CRecResRateDaysDlg::CRecResRateDaysDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}
