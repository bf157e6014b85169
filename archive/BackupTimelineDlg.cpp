#include "archive/BackupTimelineDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/BackupCalendarDlg.h"
#include "archive/PageTemplate.h"
#include "archive/PickerRequests.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/TimelineMath.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <chrono>
#include <thread>

namespace {

constexpr UINT kIdCalculate = 480;
constexpr UINT kIdNext = 481;
constexpr UINT kIdBackup = 482;
constexpr UINT kIdPrev = 483;
// Labels 815-819 as indices of the label table.
constexpr int kStartDate = 25;
constexpr int kStartTime = 26;
constexpr int kEndDate = 27;
constexpr int kEndTime = 28;
constexpr int kSize = 29;
constexpr RECT kChart = {kChartLeft, kChartTop, kChartLeft + 289, kChartTop + 305};

struct BackupTimelineItems {
    DialogItem items[4 + 30];
    BackupTimelineItems() {
        items[0] = {kIdCalculate, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        items[1] = {kIdNext, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        items[2] = {kIdBackup, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        items[3] = {kIdPrev, "BUTTON", 205, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW};
        for (UINT id = 790; id <= 819; ++id) {
            const DWORD notify = id >= 815 ? SS_NOTIFY : 0u;
            items[4 + (id - 790)] = {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | notify};
        }
    }
};

const BackupTimelineItems kItems;
const DialogTemplate kTemplate = ContentPageTemplate(CBackupTimelineDlg::IDD, kItems.items);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupTimelineDlg::CBackupTimelineDlg()
    : TTimelinePage<CSearchPage>(IDD, kSlotBackupTimeline, IDB_PAGE_BACKUP_TIMELINE, 30, kBackupChartRight) {}

BOOL CBackupTimelineDlg::Create(CRemoteSearchDlg* frame) {
    const BackupRange& range = frame->Backup();
    m_nMode = range.endDayPending == 1 ? 1 : 0;
    m_nStartMark = kChartLeft;
    m_nEndMark = kBackupChartRight;
    if (m_nMode == 0) {
        SetChosenTime(0, 0, 0);
    } else {
        if (range.startYear == range.endYear && range.startMonth == range.endMonth && range.startDay == range.endDay) {
            m_nStartMark = TimeToColumn(range.startHour, range.startMinute);
        }
        SetChosenTime(23, 59, 59);
    }
    return TTimelinePage<CSearchPage>::Create(frame);
}

bool CBackupTimelineDlg::SameStartAndEndDay() const {
    const BackupRange& r = m_pFrame->Backup();
    return r.startYear == r.endYear && r.startMonth == r.endMonth && r.startDay == r.endDay;
}

void CBackupTimelineDlg::ShownDay(int& year, int& month, int& day) const {
    const BackupRange& r = m_pFrame->Backup();
    year = m_nMode == 0 ? r.startYear : r.endYear;
    month = m_nMode == 0 ? r.startMonth : r.endMonth;
    day = m_nMode == 0 ? r.startDay : r.endDay;
}

void CBackupTimelineDlg::DoDataExchange(CDataExchange* pDX) {
    TTimelinePage<CSearchPage>::DoDataExchange(pDX);
    DDX_Control(pDX, kIdCalculate, m_btnCalculate);
    DDX_Control(pDX, kIdNext, m_btnNext);
    DDX_Control(pDX, kIdBackup, m_btnBackup);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
}

BOOL CBackupTimelineDlg::OnInitDialog() {
    TTimelinePage<CSearchPage>::OnInitDialog();
    SetUpTextButton(m_btnCalculate, IDB_PAGE_BUTTONS, IDS_CALCULATE, 2, 396, 97, 22);
    SetUpTextButton(m_btnNext, IDB_PAGE_BUTTONS, IDS_NEXT, 304, 396, 97, 22);
    SetUpTextButton(m_btnBackup, IDB_PAGE_BUTTONS, IDS_BACKUP_BUTTON, 304, 396, 97, 22);
    SetUpTextButton(m_btnPrev, IDB_PAGE_BUTTONS, IDS_PREV, 205, 396, 97, 22);
    SetUpCaption(m_label[0], IDS_START, 15, 9, 70, 14);
    SetUpCaption(m_label[1], IDS_END, 15, 32, 70, 14);
    LayoutRows();
    const BackupRange& r = m_pFrame->Backup();
    const int format = Host().DateFormat();
    SetUpField(m_label[kStartDate], 120, 8, 120, 14, false);
    m_label[kStartDate].SetText(DateText(format, r.startYear, r.startMonth, r.startDay));
    SetUpField(m_label[kStartTime], 260, 8, 130, 14, m_nMode == 0);
    SetUpField(m_label[kEndDate], 120, 31, 120, 14, false);
    SetUpField(m_label[kEndTime], 260, 31, 130, 14, m_nMode == 1);
    SetUpField(m_label[kSize], 103, 400, 97, 14, false);
    m_label[kSize].SetText("");
    if (m_nMode == 0) {
        m_label[kStartTime].SetText(TimeText(0, 0, 0));
        m_label[kEndDate].SetText("");
        m_label[kEndTime].SetText("");
        m_btnCalculate.Enable(FALSE);
        m_btnNext.ShowWindow(SW_SHOW);
        m_btnBackup.ShowWindow(SW_HIDE);
    } else {
        m_label[kStartTime].SetText(TimeText(r.startHour, r.startMinute, r.startSecond));
        m_label[kEndDate].SetText(DateText(format, r.endYear, r.endMonth, r.endDay));
        m_label[kEndTime].SetText(TimeText(23, 59, 59));
        m_btnCalculate.Enable(TRUE);
        m_btnNext.ShowWindow(SW_HIDE);
        m_btnBackup.ShowWindow(SW_SHOW);
        m_btnBackup.Enable(FALSE);
    }
    return TRUE;
}

BOOL CBackupTimelineDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, 403, 417, FALSE, 0);
    DrawGrid(pDC, m_nStartMark, m_nEndMark);
    int year = 0;
    int month = 0;
    int day = 0;
    ShownDay(year, month, day);
    DrawRecordBars(pDC, m_pFrame->DayRecords(), m_pFrame->GetChannelMask(), year, month, day);
    if (m_nMode == 0) {
        DrawChartLine(pDC, m_nStartMark, 0xFFFF00, PS_INSIDEFRAME);
    } else {
        DrawChartLine(pDC, m_nEndMark, 0x00FFFF, PS_INSIDEFRAME);
        if (SameStartAndEndDay()) {
            DrawChartLine(pDC, m_nStartMark, 0xFFFF00, PS_INSIDEFRAME);
        }
    }
    return TRUE;
}

bool CBackupTimelineDlg::AcceptsColumn(CPoint point) const {
    const int lower = m_nMode == 1 ? m_nStartMark : kChartLeft;
    return InChart(point.x, point.y, lower, kBackupChartRight);
}

void CBackupTimelineDlg::EndChanged() {
    m_label[kSize].SetText("");
    m_btnCalculate.Enable(TRUE);
    m_btnBackup.Enable(FALSE);
}

void CBackupTimelineDlg::MoveMark(int x) {
    InvalidateRect(&kChart, TRUE);
    const ClockTime t = ColumnToTime(x);
    SetChosenTime(t.hour, t.minute, t.second);
    if (m_nMode == 0) {
        m_nStartMark = x;
        m_label[kStartTime].SetText(TimeText(t.hour, t.minute, t.second));
        return;
    }
    m_nEndMark = x;
    m_label[kEndTime].SetText(TimeText(t.hour, t.minute, t.second));
    EndChanged();
}

void CBackupTimelineDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!FrameBusy()) {
        ClosePickers();
        if (AcceptsColumn(point)) {
            MoveMark(point.x);
            SetCapture();
        }
    }
    CDialog::OnLButtonDown(nFlags, point);
}

void CBackupTimelineDlg::OnMouseMove(UINT nFlags, CPoint point) {
    ShowHandOverChart(point);
    if (AcceptsColumn(point)) {
        if ((nFlags & MK_LBUTTON) != 0) {
            // Only a drag that began with an accepted press moves the mark.
            if (GetCapture() == this) {
                MoveMark(point.x);
            }
        } else {
            ClosePickers();
        }
    }
    TTimelinePage<CSearchPage>::OnMouseMove(nFlags, point);
}

void CBackupTimelineDlg::OpenTimePicker(int labelIndex, UINT field) {
    TimePickerRequest request{};
    request.rows = 3;
    request.hour = DWORD(m_nHour);
    request.minute = DWORD(m_nMinute);
    request.second = DWORD(m_nSecond);
    m_label[labelIndex].GetWindowRect(&request.anchor);
    request.clickX = m_label[labelIndex].m_nClickX;
    request.clickY = m_label[labelIndex].m_nClickY;
    request.width = 358;
    m_pFrame->ShowTimePicker(this, field, &request);
}

void CBackupTimelineDlg::OnTimePicked(UINT, int hour, int minute, int second) {
    SetChosenTime(hour, minute, second);
    InvalidateRect(&kChart, TRUE);
    const int x = TimeToColumn(hour, minute);
    if (m_nMode == 0) {
        m_nStartMark = x;
        m_label[kStartTime].SetText(TimeText(hour, minute, second));
        return;
    }
    m_nEndMark = x;
    m_label[kEndTime].SetText(TimeText(hour, minute, second));
    EndChanged();
}

RecTimeRange CBackupTimelineDlg::BuildRange() {
    const BackupRange& r = m_pFrame->Backup();
    const int start[6] = {r.startYear, r.startMonth, r.startDay, r.startHour, r.startMinute, r.startSecond};
    const int end[6] = {r.endYear, r.endMonth, r.endDay, r.endHour, r.endMinute, r.endSecond};
    return MakeTimeRange(m_pFrame->GetChannelMask(), kAllRecordTypes, Host().TimeToCTime(start),
                         Host().TimeToCTime(end));
}

void CBackupTimelineDlg::OnCalculate() {
    ClosePickers();
    BackupRange& r = m_pFrame->Backup();
    r.endHour = m_nHour;
    r.endMinute = m_nMinute;
    r.endSecond = m_nSecond;
    const RecTimeRange range = BuildRange();
    m_action.RequestSize(*m_pFrame, range);
    m_btnCalculate.Enable(FALSE);
}

void CBackupTimelineDlg::OnBackupSize(DWORD kbytes) {
    const BackupSizeDecision d = m_action.TakeSize(*m_pFrame, kbytes);
    m_label[kSize].SetText(d.text);
    m_btnCalculate.Enable(d.calculate ? TRUE : FALSE);
    m_btnBackup.Enable(d.backup ? TRUE : FALSE);
}

void CBackupTimelineDlg::OnBackup() {
    // Closing an open picker applies its time, which takes Backup away until Calculate sizes the
    // new range: the shown end is then no longer the one sized.
    ClosePickers();
    if (m_btnBackup.IsWindowEnabled() == FALSE || !m_action.Start(*m_pFrame, BuildRange())) {
        return;
    }
    m_pFrame->CloseAfterAction(50);
}

void CBackupTimelineDlg::OnNext() {
    ClosePickers();
    BackupRange& r = m_pFrame->Backup();
    r.endDayPending = 1;
    r.startHour = m_nHour;
    r.startMinute = m_nMinute;
    r.startSecond = m_nSecond;
    m_pFrame->RequestTransMonthInfo();
}

void CBackupTimelineDlg::OnPrev() {
    if (FrameBusy()) {
        return;
    }
    ClosePickers();
    if (CBackupCalendarDlg* calendar = m_pFrame->BackupCalendar()) {
        calendar->ShowWindow(SW_SHOW);
        m_pFrame->SetBusy(false);
    } else {
        m_pFrame->OpenPageUnlessOpen(kSlotBackupCalendar, [] { return std::make_unique<CBackupCalendarDlg>(); });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessage(WM_CLOSE);
}

BOOL CBackupTimelineDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return TTimelinePage<CSearchPage>::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdCalculate:
        OnCalculate();
        return TRUE;
    case kIdNext:
        OnNext();
        return TRUE;
    case kIdBackup:
        OnBackup();
        return TRUE;
    case kIdPrev:
        OnPrev();
        return TRUE;
    case 816:
        if (m_nMode == 0) {
            OpenTimePicker(kStartTime, 1);
        }
        return TRUE;
    case 818:
        if (m_nMode == 1 && !FrameBusy()) {
            OpenTimePicker(kEndTime, 3);
        }
        return TRUE;
    case 815:
    case 817:
    case 819:
        ClosePickers();
        return TRUE;
    default:
        return TTimelinePage<CSearchPage>::OnCommand(wParam, lParam);
    }
}
