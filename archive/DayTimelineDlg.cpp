#include "archive/DayTimelineDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PickerRequests.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/TimelineMath.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"

#include <chrono>
#include <thread>

namespace {

constexpr UINT kIdPlay = 482;
constexpr UINT kIdPrev = 483;
constexpr UINT kIdDate = 815;
constexpr UINT kIdTime = 816;
constexpr RECT kChart = {kChartLeft, kChartTop, kChartLeft + 289, kChartTop + 305};

struct TimelineItems {
    DialogItem items[2 + 27];
    TimelineItems() {
        items[0] = {kIdPlay, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        items[1] = {kIdPrev, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        for (UINT id = 790; id <= 816; ++id) {
            const DWORD notify = id == kIdDate || id == kIdTime ? SS_NOTIFY : 0u;
            items[2 + (id - 790)] = {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | notify};
        }
    }
};

const TimelineItems kItems;
const DialogTemplate kTemplate{
    .id = CDayTimelineDlg::IDD, .x = 197, .y = 83, .cx = 403, .cy = 417, .style = WS_CHILD, .items = kItems.items};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CDayTimelineDlg::CDayTimelineDlg(int year, int month, int day)
    : CTimelinePage(IDD, kSlotDayTimeline, 1754, 27, kChartRight), m_nYear(year), m_nMonth(month), m_nDay(day) {}

void CDayTimelineDlg::ShownDay(int& year, int& month, int& day) const {
    year = m_nYear;
    month = m_nMonth;
    day = m_nDay;
}

void CDayTimelineDlg::DoDataExchange(CDataExchange* pDX) {
    CTimelinePage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPlay, m_btnPlay);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
}

BOOL CDayTimelineDlg::OnInitDialog() {
    CTimelinePage::OnInitDialog();
    SetUpTextButton(m_btnPlay, 2258, 5563, 304, 396, 97, 22);
    SetUpTextButton(m_btnPrev, 2258, 5583, 2, 396, 97, 22);
    SetUpCaption(m_label[0], 5422, 15, 9, 70, 14);
    SetUpCaption(m_label[1], 5423, 15, 32, 70, 14);
    LayoutRows();
    SetUpField(m_label[25], 150, 8, 210, 14, false);
    m_label[25].SetText(DateText(Host().DateFormat(), m_nYear, m_nMonth, m_nDay));
    SetUpField(m_label[26], 150, 31, 210, 14, true);
    m_label[26].SetText("");
    CDvrClient* client = Client();
    const ArchiveResume& resume = Host().Resume();
    if (client != nullptr && resume.record.active != 0) {
        const RecorderFields t = SplitRecorderTimeOrEpoch(LONGLONG(LONG(resume.record.time)));
        m_label[26].SetText(TimeText(t.hour, t.minute, t.second));
        SetChosenTime(t.hour, t.minute, t.second);
        m_nCursor = TimeToColumn(t.hour, t.minute);
    } else {
        m_label[26].SetText(TimeText(0, 0, 0));
    }
    if (Host().HasLocalPlayer()) {
        m_btnPlay.Enable(FALSE);
    }
    return TRUE;
}

BOOL CDayTimelineDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, 403, 417, FALSE, 0);
    const int x0 = m_nCursor >= 0 ? m_nCursor : kChartLeft;
    DrawGrid(pDC, x0, kChartRight);
    DrawSegments(pDC);
    DrawChartLine(pDC, x0, 0xFFFF00, PS_SOLID);
    return TRUE;
}

void CDayTimelineDlg::PlaceCursor(int x) {
    InvalidateRect(&kChart, TRUE);
    m_nCursor = x;
    const ClockTime t = ColumnToTime(x);
    m_label[26].SetText(TimeText(t.hour, t.minute, t.second));
    SetChosenTime(t.hour, t.minute, t.second);
}

void CDayTimelineDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    ClosePickers();
    if (InChart(point.x, point.y, kChartLeft, kChartRight)) {
        PlaceCursor(point.x);
        SetCapture();
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CDayTimelineDlg::OnMouseMove(UINT nFlags, CPoint point) {
    ShowHandOverChart(point);
    if (InChart(point.x, point.y, kChartLeft, kChartRight)) {
        if ((nFlags & MK_LBUTTON) != 0) {
            PlaceCursor(point.x);
        } else {
            ClosePickers();
        }
    }
    CTimelinePage::OnMouseMove(nFlags, point);
}

void CDayTimelineDlg::OnTimeLabel() {
    TimePickerRequest request{};
    request.rows = 3;
    request.hour = DWORD(m_nHour);
    request.minute = DWORD(m_nMinute);
    request.second = DWORD(m_nSecond);
    m_label[26].GetWindowRect(&request.anchor);
    request.clickX = m_label[26].m_nClickX;
    request.clickY = m_label[26].m_nClickY;
    request.width = 358;
    m_pFrame->ShowTimePicker(this, 1, &request);
}

void CDayTimelineDlg::SetPickedTime(UINT, int hour, int minute, int second) {
    m_label[26].SetText(TimeText(hour, minute, second));
    SetChosenTime(hour, minute, second);
    InvalidateRect(&kChart, TRUE);
    m_nCursor = TimeToColumn(hour, minute);
}

void CDayTimelineDlg::OnTimePicked(UINT field, int hour, int minute, int second) {
    SetPickedTime(field, hour, minute, second);
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
        const std::vector<BYTE> segments = client->GetLatestSegmentRecords();
        if (!segments.empty()) {
            resume.months = ParseMonthRecords(client->GetLatestMonthRecords());
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

BOOL CDayTimelineDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CTimelinePage::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdPlay:
        OnPlay();
        return TRUE;
    case kIdPrev:
        OnPrev();
        return TRUE;
    case kIdDate:
        ClosePickers();
        return TRUE;
    case kIdTime:
        OnTimeLabel();
        return TRUE;
    default:
        return CTimelinePage::OnCommand(wParam, lParam);
    }
}
