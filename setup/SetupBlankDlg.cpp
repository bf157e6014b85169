#include "setup/SetupBlankDlg.h"

#include "platform/window/DialogTemplate.h"

namespace {

const DialogTemplate kTemplate = CSetupPage::PageTemplate(CSetupBlankDlg::IDD, {});
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupBlankDlg::CSetupBlankDlg(CWnd* pParent) : CSetupPage(IDD, 1723, pParent) {}
