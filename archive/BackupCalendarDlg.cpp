#include "archive/BackupCalendarDlg.h"

#include "archive/CalendarMath.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "controls/SkinFont.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/DataExchange.h"
#include "protocol/MessageIds.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

const DialogTemplate kTemplate = ContentPageTemplate(CBackupCalendarDlg::IDD, CalendarTemplateItems(true));
const DialogTemplateRegistration kRegistered(kTemplate);

// The band keeps the same room from the page's border on the right as on the left.
constexpr RECT kTitleRect = {6, 5, 397, 24};

} // namespace

CBackupCalendarDlg::CBackupCalendarDlg() : CPlayCalendarDlg(IDD, kSlotBackupCalendar, IDB_PAGE_BACKUP_CALENDAR, 23) {}

bool CBackupCalendarDlg::EndDayPending() const {
    return m_pFrame != nullptr && m_pFrame->Backup().endDayPending == 1;
}

void CBackupCalendarDlg::DoDataExchange(CDataExchange* pDX) {
    CPlayCalendarDlg::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
}

BOOL CBackupCalendarDlg::OnInitDialog() {
    CPlayCalendarDlg::OnInitDialog();
    m_bmTitle.LoadBitmap(IDB_BACKUP_CALENDAR_TITLE_BAND);
    SetUpTextButton(m_btnPrev, IDB_PAGE_BUTTONS, IDS_PREV, 304, 396, 97, 22);
    m_btnPrev.ShowWindow(EndDayPending() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

BOOL CBackupCalendarDlg::OnEraseBkgnd(CDC* pDC) {
    CPlayCalendarDlg::OnEraseBkgnd(pDC);
    DrawBitmap(pDC, m_bmTitle, kTitleRect.left, kTitleRect.top, kTitleRect.right, kTitleRect.bottom, TRUE, 0);
    CFont font;
    font.CreateFont(SkinFontHeight(10), 0, 0, 0, 700, FALSE, FALSE, 0, 0, 0, 0, ANTIALIASED_QUALITY, 0, "Arial Bold");
    CFont* old = pDC->SelectObject(&font);
    const int mode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF colour = pDC->SetTextColor(0xFFFFFF);
    RECT title = kTitleRect;
    pDC->DrawText(LoadResString(EndDayPending() ? IDS_CHOOSE_THE_END_DAY : IDS_CHOOSE_THE_START_DAY), &title,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(colour);
    pDC->SetBkMode(mode);
    pDC->SelectObject(old);
    return TRUE;
}

void CBackupCalendarDlg::SelectFromStartMonth() {
    const BackupRange& range = m_pFrame->Backup();
    FindLatestMonth();
    m_nMonth = range.startMonth;
    m_bMonthSelected = true;
    for (int m = 0; m < 12; ++m) {
        CSkinCaptionButton& b = m_btnMonth[m];
        if (m < range.startMonth) {
            SetMonthFlag(m, false);
        } else if (m == range.startMonth) {
            b.Enable(TRUE);
            b.SetState(kButtonOn);
        } else if (b.m_bMarked != 0) {
            b.Enable(TRUE);
            b.SetState(kButtonNormal);
        }
    }
}

void CBackupCalendarDlg::StartSelection() {
    if (!EndDayPending()) {
        CPlayCalendarDlg::StartSelection();
        return;
    }
    const BackupRange& range = m_pFrame->Backup();
    m_nYear = range.startYear;
    m_nYearIndex = ClampCalendarYear(m_nYear) - kCalendarFirstYear;
    SelectFromStartMonth();
    LayoutDays();
    ShowYearText();
}

void CBackupCalendarDlg::LimitDays() {
    const BackupRange& range = m_pFrame->Backup();
    if (!EndDayPending() || m_nYear != range.startYear || m_nMonth != range.startMonth) {
        return;
    }
    for (int d = 0; d < range.startDay && d < 31; ++d) {
        m_btnDay[d].m_bMarked = 0;
        m_btnDay[d].Enable(FALSE);
    }
}

void CBackupCalendarDlg::SelectPickedYear() {
    if (EndDayPending() && m_nYear == m_pFrame->Backup().startYear) {
        SelectFromStartMonth();
        return;
    }
    CPlayCalendarDlg::SelectPickedYear();
}

int CBackupCalendarDlg::FirstSelectableYearIndex() const {
    if (!EndDayPending()) {
        return 0;
    }
    const int index = m_pFrame->Backup().startYear - kCalendarFirstYear;
    return index < 0 ? 0 : index;
}

void CBackupCalendarDlg::SendDayRequest(int year, int month, int day) {
    const DayRequest request = MakeDayRequest(year, month, day);
    m_pFrame->ClearReply();
    m_pFrame->DayRecords().clear();
    m_pFrame->SendRequest(Msg::TRANS_INFO_DAY_REQ, &request, sizeof request);
    m_pFrame->SetBusy(true);
}

void CBackupCalendarDlg::RequestDayInfo(int day) {
    ClosePickers();
    if (day < 0 || day > 30) {
        return;
    }
    m_nDay = day;
    if (m_btnDay[day].m_bMarked == 0 || FrameBusy()) {
        return;
    }
    BackupRange& range = m_pFrame->Backup();
    if (range.endDayPending == 1) {
        range.endYear = m_nYear;
        range.endMonth = m_nMonth;
        range.endDay = day;
    } else {
        range.startYear = m_nYear;
        range.startMonth = m_nMonth;
        range.startDay = day;
    }
    SendDayRequest(m_nYear, m_nMonth, day);
}

void CBackupCalendarDlg::OnPrev() {
    BackupRange& range = m_pFrame->Backup();
    range.endDayPending = 0;
    m_nYear = range.startYear;
    m_nMonth = range.startMonth;
    m_nDay = range.startDay;
    SendDayRequest(range.startYear, range.startMonth, range.startDay);
}

BOOL CBackupCalendarDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kIdPrev && HIWORD(wParam) == BN_CLICKED) {
        OnPrev();
        return TRUE;
    }
    return CPlayCalendarDlg::OnCommand(wParam, lParam);
}
