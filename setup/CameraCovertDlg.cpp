#include "setup/CameraCovertDlg.h"

#include "protocol/SetupDatabase.h"

namespace {

using C = CCameraCovertDlg;

const std::vector<DialogItem> kItems = C::PageItems(nullptr);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CCameraCovertDlg::CCameraCovertDlg(CWnd* pParent) : COnOffRowsPage(IDD, pParent) {}

BYTE* CCameraCovertDlg::RowBytes() {
    return Db().covert;
}
