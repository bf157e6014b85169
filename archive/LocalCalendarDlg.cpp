#include "archive/LocalCalendarDlg.h"

#include "archive/LocalDayTimelineDlg.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"

#include <memory>

namespace {

const DialogTemplate kTemplate = ContentPageTemplate(CLocalCalendarDlg::IDD, CalendarTemplateItems(false));
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalCalendarDlg::CLocalCalendarDlg()
    : TCalendarPage<CLocalSearchPage>(IDD, kLocalSlotCalendar, IDB_PAGE_PLAY_CALENDAR, 0) {}

const RecMonthInfo* CLocalCalendarDlg::YearRecord(int year) {
    if (year != m_nScannedYear) {
        m_block.ScanFolder(m_pFrame->DownloadFolder(), year);
        m_record = m_block.AsMonthRecord();
        m_nScannedYear = year;
    }
    return m_block.Year() == year ? &m_record : nullptr;
}

void CLocalCalendarDlg::PostNothingFound() {
    if (CWnd* main = Host().MainWindow()) {
        main->PostMessage(WM_KELO_NOTICE, WPARAM(m_pFrame->GetSafeHwnd()), kNoticeNothingFound);
    }
}

void CLocalCalendarDlg::OpenYearPicker(const ListPopupRequest& request, int firstIndex) {
    m_pFrame->ShowNumberPicker(this, 0, &request, firstIndex, 1);
}

void CLocalCalendarDlg::RequestDayInfo(int day) {
    ClosePickers();
    if (day < 0 || day > 30) {
        return;
    }
    m_nDay = day;
    if (m_btnDay[day].m_bMarked == 0) {
        return;
    }
    YearRecord(m_nYear);
    // The day's segments go to the timeline whole; the calendar keeps none of them.
    auto segments = std::make_shared<std::vector<LocalSegment>>(m_block.TakeDay(m_nMonth, day));
    const int year = m_nYear;
    const int month = m_nMonth;
    m_pFrame->ShowDayTimelinePage([year, month, day, segments] {
        return std::make_unique<CLocalDayTimelineDlg>(year, month, day, std::move(*segments));
    });
}
