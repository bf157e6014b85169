#include "archive/PlayCalendarDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"

#include <vector>

namespace {

std::vector<DialogItem> MakeItems(bool withPrev) {
    std::vector<DialogItem> items;
    for (UINT id = 790; id <= 799; ++id) {
        items.push_back({id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | (id == 799 ? SS_NOTIFY : 0u)});
    }
    for (UINT id = 890; id <= 901; ++id) {
        items.push_back({id, "BUTTON", 0, 0, 49, 19, WS_VISIBLE | BS_OWNERDRAW});
    }
    for (UINT id = 840; id <= 870; ++id) {
        items.push_back({id, "BUTTON", 0, 0, 52, 25, BS_OWNERDRAW});
    }
    if (withPrev) {
        items.push_back({483, "BUTTON", 304, 396, 97, 22, BS_OWNERDRAW});
    }
    return items;
}

const DialogTemplate kTemplate = ContentPageTemplate(CPlayCalendarDlg::IDD, CalendarTemplateItems(false));
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

std::span<const DialogItem> CalendarTemplateItems(bool withPrev) {
    static const std::vector<DialogItem> plain = MakeItems(false);
    static const std::vector<DialogItem> prev = MakeItems(true);
    return withPrev ? prev : plain;
}

CPlayCalendarDlg::CPlayCalendarDlg() : CPlayCalendarDlg(IDD, kSlotPlayCalendar, IDB_PAGE_PLAY_CALENDAR, 0) {}

CPlayCalendarDlg::CPlayCalendarDlg(UINT idd, int slot, UINT background, int yOffset)
    : TCalendarPage<CSearchPage>(idd, slot, background, yOffset) {}

const RecMonthInfo* CPlayCalendarDlg::YearRecord(int year) {
    return FindMonthRecord(m_pFrame->MonthRecords(), year);
}

void CPlayCalendarDlg::PostNothingFound() {
    m_pFrame->PostNotice(kNoticeNothingFound);
}

void CPlayCalendarDlg::OpenYearPicker(const ListPopupRequest& request, int firstIndex) {
    m_pFrame->ShowItemPicker(this, 0, &request, firstIndex, 1);
}

void CPlayCalendarDlg::RequestDayInfo(int day) {
    ClosePickers();
    if (day < 0 || day > 30) {
        return;
    }
    m_nDay = day;
    if (m_btnDay[day].m_bMarked == 0 || FrameBusy()) {
        return;
    }
    const DayRequest request = MakeDayRequest(m_nYear, m_nMonth, day);
    m_pFrame->ClearReply();
    m_pFrame->DayRecords().clear();
    m_pFrame->SendRequest(Msg::PLAY_INFO_DAY_REQ, &request, sizeof request);
    m_pFrame->SetBusy(true);
    Host().Resume().ClearRecord();
}
