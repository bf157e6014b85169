#include "archive/LocalDayTimelineDlg.h"

#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "res/BitmapIds.h"

#include <thread>

namespace {

const DialogTemplate kTemplate = ContentPageTemplate(CLocalDayTimelineDlg::IDD, DayTimelineTemplateItems());
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalDayTimelineDlg::CLocalDayTimelineDlg(int year, int month, int day, std::vector<LocalSegment> segments)
    : TDayTimelinePage<CLocalSearchPage>(IDD, kLocalSlotDayTimeline, IDB_PAGE_DAY_TIMELINE, year, month, day),
      m_segments(std::move(segments)) {}

void CLocalDayTimelineDlg::DrawDayBars(CDC* pDC) {
    DrawLocalBars(pDC, m_segments, m_nYear, m_nMonth, m_nDay);
}

void CLocalDayTimelineDlg::OpenTimePicker(const TimePickerRequest& request) {
    m_pFrame->ShowTimePicker(this, 1, &request);
}

int CLocalDayTimelineDlg::DateFormat() {
    return Host().DateFormat();
}

bool CLocalDayTimelineDlg::PlayAllowed() {
    const CDvrClient* client = Host().Client();
    return client == nullptr || !client->Play().IsRemotePlay();
}

void CLocalDayTimelineDlg::OnPlay() {
    ClosePickers();
    CDvrClient* client = Host().Client();
    if (client != nullptr && client->Login().IsConnected() && client->IsLive()) {
        client->Live().SendLiveStop();
    }
    const int fields[6] = {m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond};
    const DWORD start = Host().TimeToCTime(fields);
    m_pFrame->SetSearchKind(LocalSearchKind::Time);
    m_pFrame->PostMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, start, 0);
    std::this_thread::yield();
    m_pFrame->PostMessage(WM_CLOSE);
}

void CLocalDayTimelineDlg::OnPrev() {
    ClosePickers();
    m_pFrame->ShowCalendarPage();
}
