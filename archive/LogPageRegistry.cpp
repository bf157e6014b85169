#include "archive/LogPageRegistry.h"

#include "archive/RemoteLogAllDlg.h"
#include "archive/RemoteLogClientDlg.h"
#include "archive/RemoteLogEventDlg.h"
#include "archive/RemoteLogOperationDlg.h"
#include "archive/RemoteLogPowerDlg.h"
#include "archive/RemoteLogRecordDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/RemoteStatusInfoDlg.h"
#include "archive/RemoteSystemInfoDlg.h"

namespace {

template <typename Page>
void Register(int slot) {
    CRemoteSearchDlg::RegisterPageFactory(slot, [] { return std::make_unique<Page>(); });
}

} // namespace

void RegisterLogAndInfoPages() {
    Register<CRemoteLogAllDlg>(kSlotLogAll);
    Register<CRemoteLogPowerDlg>(kSlotLogPower);
    Register<CRemoteLogRecordDlg>(kSlotLogRecord);
    Register<CRemoteLogOperationDlg>(kSlotLogOperation);
    Register<CRemoteLogClientDlg>(kSlotLogClient);
    Register<CRemoteLogEventDlg>(kSlotLogEvent);
    Register<CRemoteSystemInfoDlg>(kSlotSystemInfo);
    Register<CRemoteStatusInfoDlg>(kSlotStatusInfo);
}
