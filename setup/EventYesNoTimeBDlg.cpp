#include "setup/EventYesNoTimeBDlg.h"

#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"

namespace {

const DialogTemplate kTemplate = CEventYesNoDlg::MakeTemplate(CEventYesNoTimeBDlg::IDD, true);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CEventYesNoTimeBDlg::CEventYesNoTimeBDlg(CWnd* pParent) : CEventYesNoTimeADlg(IDD, pParent) {}

BYTE* CEventYesNoTimeBDlg::RowBytes() const {
    return Db().event_set3;
}

DWORD& CEventYesNoTimeBDlg::Duration() const {
    return Db().event_time_b;
}
