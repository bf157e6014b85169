#include "archive/DayTimelineDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "res/BitmapIds.h"

#include <chrono>
#include <thread>
#include <vector>

namespace {

std::vector<DialogItem> MakeItems() {
    std::vector<DialogItem> items;
    items.push_back({482, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW});
    items.push_back({483, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW});
    for (UINT id = 790; id <= 816; ++id) {
        const DWORD notify = id == 815 || id == 816 ? SS_NOTIFY : 0u;
        items.push_back({id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | notify});
    }
    return items;
}

const DialogTemplate kTemplate = ContentPageTemplate(CDayTimelineDlg::IDD, DayTimelineTemplateItems());
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

std::span<const DialogItem> DayTimelineTemplateItems() {
    static const std::vector<DialogItem> items = MakeItems();
    return items;
}

CDayTimelineDlg::CDayTimelineDlg(int year, int month, int day)
    : TDayTimelinePage<CSearchPage>(IDD, kSlotDayTimeline, IDB_PAGE_DAY_TIMELINE, year, month, day) {}

void CDayTimelineDlg::DrawDayBars(CDC* pDC) {
    DrawRecordBars(pDC, m_pFrame->DayRecords(), m_pFrame->GetChannelMask(), m_nYear, m_nMonth, m_nDay);
}

void CDayTimelineDlg::OpenTimePicker(const TimePickerRequest& request) {
    m_pFrame->ShowTimePicker(this, 1, &request);
}

int CDayTimelineDlg::DateFormat() {
    return Host().DateFormat();
}

bool CDayTimelineDlg::InitialTime(int& hour, int& minute, int& second) {
    const ArchiveResume& resume = Host().Resume();
    if (Client() == nullptr || resume.record.active == 0) {
        return false;
    }
    const RecorderFields t = SplitRecorderTimeOrEpoch(LONGLONG(LONG(resume.record.time)));
    hour = t.hour;
    minute = t.minute;
    second = t.second;
    return true;
}

bool CDayTimelineDlg::PlayAllowed() {
    return !Host().HasLocalPlayer();
}

void CDayTimelineDlg::OnPlay() {
    ClosePickers();
    const int fields[6] = {m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond};
    const DWORD start = Host().TimeToCTime(fields);
    const RecTimeRange range = MakeTimeRange(m_pFrame->GetChannelMask(), 0, start, 0);
    m_pFrame->SendRequest(Msg::PLAY_ON_REQ, &range, sizeof range);
    if (CDvrClient* client = Client()) {
        ArchiveResume& resume = Host().Resume();
        resume.ClearRecord();
        resume.record.active = 1;
        resume.record.source = 0;
        resume.record.search_mode = 2;
        resume.record.time = start;
        const std::vector<BYTE> segments = client->Search().GetLatestSegmentRecords();
        if (!segments.empty()) {
            resume.months = ParseMonthRecords(client->Search().GetLatestMonthRecords());
            resume.segments = ParseSegments(segments);
        }
    }
    m_pFrame->CloseAfterAction(50);
}

void CDayTimelineDlg::OnPrev() {
    ClosePickers();
    if (CPlayCalendarDlg* calendar = m_pFrame->PlayCalendar()) {
        calendar->ShowWindow(SW_SHOW);
        m_pFrame->SetBusy(false);
    } else {
        m_pFrame->OpenPageUnlessOpen(kSlotPlayCalendar, [] { return std::make_unique<CPlayCalendarDlg>(); });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessage(WM_CLOSE);
}
