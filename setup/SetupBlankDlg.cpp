#include "setup/SetupBlankDlg.h"

#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"

namespace {

const DialogTemplate kTemplate = CSetupPage::PageTemplate(CSetupBlankDlg::IDD, {});
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupBlankDlg::CSetupBlankDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_BLANK_PAGE_DAYS, pParent) {}
