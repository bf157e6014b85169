#include "archive/LocalDateTimeSearchDlg.h"

#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "res/BitmapIds.h"

#include <thread>

namespace {

const DialogTemplate kTemplate = ContentPageTemplate(CLocalDateTimeSearchDlg::IDD, DateTimeTemplateItems());
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalDateTimeSearchDlg::CLocalDateTimeSearchDlg()
    : TDateTimePage<CLocalSearchPage>(IDD, kLocalSlotDateTime, IDB_PAGE_DATE_TIME_SEARCH,
                                      TodayRange(DefaultSearchRange)) {}

int CLocalDateTimeSearchDlg::DateFormat() {
    return Host().DateFormat();
}

void CLocalDateTimeSearchDlg::ShowListPicker(UINT field, const ListPopupRequest& request, int flag) {
    m_pFrame->ShowNumberPicker(this, field, &request, 0, flag);
}

void CLocalDateTimeSearchDlg::ShowTimesPicker(UINT field, const TimePickerRequest& request) {
    m_pFrame->ShowTimePicker(this, field, &request);
}

bool CLocalDateTimeSearchDlg::PlayAllowed() {
    const CDvrClient* client = Host().Client();
    return client == nullptr || !client->Play().IsRemotePlay();
}

void CLocalDateTimeSearchDlg::OnPlay() {
    ClosePickers();
    CDvrClient* client = Host().Client();
    if (client != nullptr && client->Login().IsConnected() && client->IsLive()) {
        client->Live().SendLiveStop();
    }
    int start[6];
    int end[6];
    m_range.Fields(0, start);
    m_range.Fields(1, end);
    const DWORD startTime = Host().TimeToCTime(start);
    const DWORD endTime = Host().TimeToCTime(end);
    const bool openEnd = endTime == kOpenEndTime;
    m_pFrame->SetSearchKind(openEnd ? LocalSearchKind::Time : LocalSearchKind::Range);
    m_pFrame->PostMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, startTime, openEnd ? 0 : endTime);
    std::this_thread::yield();
    m_pFrame->PostMessage(WM_CLOSE);
}
