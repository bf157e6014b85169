#include "archive/SearchMenuDlg.h"

#include "archive/DayTimelineDlg.h"
#include "archive/EventListDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "res/ControlIds.h"

namespace {

const DialogTemplate kTemplate = MenuColumnTemplate(CSearchMenuDlg::IDD, CModeMenuDlg::kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSearchMenuDlg::CSearchMenuDlg() : CModeMenuDlg(IDD, kSlotSearchMenu) {}

BOOL CSearchMenuDlg::OnInitDialog() {
    CModeMenuDlg::OnInitDialog();
    if (!ResumeActive()) {
        OnMenuButton(IDC_SEARCH_MENU_DATE_TIME);
        return TRUE;
    }
    ArchiveResume& resume = Resume();
    if (resume.record.source == 1) {
        // The playback came from a log page: the search tab starts afresh.
        resume.ClearRecord();
        resume.FreeCopies();
        OnMenuButton(IDC_SEARCH_MENU_DATE_TIME);
    } else if (resume.record.search_mode == 1) {
        OnMenuButton(IDC_SEARCH_MENU_EVENT);
    } else if (resume.record.search_mode == 2) {
        OnMenuButton(IDC_SEARCH_MENU_CALENDAR);
    } else {
        OnMenuButton(IDC_SEARCH_MENU_DATE_TIME);
    }
    return TRUE;
}

bool CSearchMenuDlg::ResumesMode(int mode) {
    if (!ResumeActive()) {
        return false;
    }
    ArchiveResume& resume = Resume();
    if (resume.record.search_mode == mode) {
        return true;
    }
    resume.ClearRecord();
    resume.FreeCopies();
    return false;
}

void CSearchMenuDlg::OnDateTime() {
    m_pFrame->ShowDateTimeSearch();
}

void CSearchMenuDlg::OnEvent() {
    if (!ResumesMode(1)) {
        m_pFrame->RequestEventInfo();
        return;
    }
    const ArchiveResume& resume = Resume();
    m_pFrame->DayRecords() = resume.segments;
    m_pFrame->ShowContentPage(kSlotEventList, [] { return std::make_unique<CEventListDlg>(); });
    m_pFrame->SetBusy(false);
}

void CSearchMenuDlg::OnCalendar() {
    if (!ResumesMode(2)) {
        m_pFrame->RequestPlayMonthInfo();
        return;
    }
    const ArchiveResume& resume = Resume();
    m_pFrame->MonthRecords() = resume.months;
    m_pFrame->DayRecords() = resume.segments;
    const RecorderFields day = SplitRecorderTimeOrEpoch(LONGLONG(LONG(resume.record.time)));
    m_pFrame->SetBusy(false);
    m_pFrame->ShowContentPage(kSlotDayTimeline,
                              [day] { return std::make_unique<CDayTimelineDlg>(day.year, day.month, day.day); });
}

void CSearchMenuDlg::OnSelectChannel() {
    m_pFrame->ShowChannelSelect();
}
