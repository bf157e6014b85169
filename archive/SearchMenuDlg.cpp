#include "archive/SearchMenuDlg.h"

#include "archive/DayTimelineDlg.h"
#include "archive/EventListDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/TextIds.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {IDC_SEARCH_MENU_DATE_TIME, IDB_SEARCH_MENU_DATE_TIME, IDS_DATE_TIME, 1},
    {IDC_SEARCH_MENU_EVENT, IDB_SEARCH_MENU_EVENTS, IDS_EVENT, 41},
    {IDC_SEARCH_MENU_CALENDAR, IDB_SEARCH_MENU_CALENDAR, IDS_CALENDAR, 81},
    {IDC_SEARCH_MENU_CHANNELS, IDB_SEARCH_MENU_SELECT_CHANNELS, IDS_SELECT_CHANNEL, 395},
};

const DialogItem kItems[] = {
    {IDC_SEARCH_MENU_DATE_TIME, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_EVENT, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_CALENDAR, "BUTTON", 2, 81, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {IDC_SEARCH_MENU_CHANNELS, "BUTTON", 2, 395, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CSearchMenuDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSearchMenuDlg::CSearchMenuDlg() : CArchiveMenuDlg(IDD, kSlotSearchMenu, kButtons) {}

BOOL CSearchMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    if (!ResumeActive()) {
        OnDateTime();
        return TRUE;
    }
    ArchiveResume& resume = Resume();
    if (resume.record.source == 1) {
        // The playback came from a log page: the search tab starts afresh.
        resume.ClearRecord();
        resume.FreeCopies();
        OnDateTime();
    } else if (resume.record.search_mode == 1) {
        OnEvent();
    } else if (resume.record.search_mode == 2) {
        OnCalendar();
    } else {
        OnDateTime();
    }
    return TRUE;
}

void CSearchMenuDlg::OnMenuButton(UINT id) {
    switch (id) {
    case IDC_SEARCH_MENU_DATE_TIME:
        OnDateTime();
        break;
    case IDC_SEARCH_MENU_EVENT:
        OnEvent();
        break;
    case IDC_SEARCH_MENU_CALENDAR:
        OnCalendar();
        break;
    case IDC_SEARCH_MENU_CHANNELS:
        OnSelectChannel();
        break;
    default:
        break;
    }
}

void CSearchMenuDlg::OnDateTime() {
    if (FrameBusy()) {
        return;
    }
    SelectButton(IDC_SEARCH_MENU_DATE_TIME);
    m_pFrame->ShowDateTimeSearch();
}

void CSearchMenuDlg::OnEvent() {
    if (FrameBusy()) {
        return;
    }
    SelectButton(IDC_SEARCH_MENU_EVENT);
    m_pFrame->SetBusy(true);
    ArchiveResume& resume = Resume();
    if (!ResumeActive()) {
        m_pFrame->RequestEventInfo();
        return;
    }
    if (resume.record.search_mode != 1) {
        resume.ClearRecord();
        resume.FreeCopies();
        m_pFrame->RequestEventInfo();
        return;
    }
    m_pFrame->DayRecords() = resume.segments;
    m_pFrame->ShowContentPage(kSlotEventList, [] { return std::make_unique<CEventListDlg>(); });
    m_pFrame->SetBusy(false);
}

void CSearchMenuDlg::OnCalendar() {
    if (FrameBusy()) {
        return;
    }
    SelectButton(IDC_SEARCH_MENU_CALENDAR);
    m_pFrame->SetBusy(true);
    ArchiveResume& resume = Resume();
    if (!ResumeActive()) {
        m_pFrame->RequestPlayMonthInfo();
        return;
    }
    if (resume.record.search_mode != 2) {
        resume.ClearRecord();
        resume.FreeCopies();
        m_pFrame->RequestPlayMonthInfo();
        return;
    }
    m_pFrame->MonthRecords() = resume.months;
    m_pFrame->DayRecords() = resume.segments;
    const RecorderFields day = SplitRecorderTimeOrEpoch(LONGLONG(LONG(resume.record.time)));
    m_pFrame->SetBusy(false);
    m_pFrame->ShowContentPage(kSlotDayTimeline,
                              [day] { return std::make_unique<CDayTimelineDlg>(day.year, day.month, day.day); });
}

void CSearchMenuDlg::OnSelectChannel() {
    if (FrameBusy()) {
        return;
    }
    SelectButton(IDC_SEARCH_MENU_CHANNELS);
    m_pFrame->ShowChannelSelect();
}
