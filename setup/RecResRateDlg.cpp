#include "setup/RecResRateDlg.h"

#include "protocol/SetupDatabase.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(false);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRateDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRateDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_a_rate, &SetupDatabase::mode_a_audio, nullptr,
                     &SetupDatabase::mode_a_resolution},
    false,
    false,
    0,
};

} // namespace

CRecResRateDlg::CRecResRateDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}
