#include "archive/PlayCalendarDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/CalendarMath.h"
#include "archive/PickerRequests.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/base/Time.h"
#include "platform/window/DataExchange.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "res/ResStrings.h"

#include <cstring>
#include <memory>

namespace {

const COLORREF kMonthColours[4] = {0x783C3C, 0xEFAE00, 0xEFAE00, 0xCDBCBC};
const COLORREF kDayColours[4] = {0x783C3C, 0xFFFFFF, 0x0000FF, 0xCDBCBC};

// Controls 790-799, 890-901 and 840-870 of a calendar template, and 483 when asked.
struct CalendarItems {
    DialogItem items[10 + 12 + 31 + 1];
    int count = 0;

    explicit CalendarItems(bool prev) {
        for (UINT id = 790; id <= 799; ++id) {
            items[count++] = {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | (id == 799 ? SS_NOTIFY : 0u)};
        }
        for (UINT id = 890; id <= 901; ++id) {
            items[count++] = {id, "BUTTON", 0, 0, 49, 19, WS_VISIBLE | BS_OWNERDRAW};
        }
        for (UINT id = 840; id <= 870; ++id) {
            items[count++] = {id, "BUTTON", 0, 0, 52, 25, BS_OWNERDRAW};
        }
        if (prev) {
            items[count++] = {483, "BUTTON", 304, 396, 97, 22, BS_OWNERDRAW};
        }
    }
};

const CalendarItems kPlayItems(false);
const DialogTemplate kTemplate{.id = CPlayCalendarDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = std::span<const DialogItem>(kPlayItems.items, std::size_t(kPlayItems.count))};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

// The backup calendar's template lives with the play calendar's, as both share one table.
const DialogItem* BackupCalendarItems(std::size_t& count) {
    static const CalendarItems items(true);
    count = std::size_t(items.count);
    return items.items;
}

CPlayCalendarDlg::CPlayCalendarDlg() : CPlayCalendarDlg(IDD, kSlotPlayCalendar, 1752, 0) {}

CPlayCalendarDlg::CPlayCalendarDlg(UINT idd, int slot, UINT background, int yOffset)
    : CSearchPage(idd, slot, background), m_nYOffset(yOffset) {}

void CPlayCalendarDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    for (int k = 0; k < 10; ++k) {
        DDX_Control(pDX, 790 + k, m_label[k]);
    }
    for (int m = 0; m < 12; ++m) {
        DDX_Control(pDX, int(kIdFirstMonth) + m, m_btnMonth[m]);
    }
    for (int d = 0; d < 31; ++d) {
        DDX_Control(pDX, int(kIdFirstDay) + d, m_btnDay[d]);
    }
}

BOOL CPlayCalendarDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    const int dy = m_nYOffset;
    SetUpCaption(m_label[0], 5424, 15, 9 + dy, 70, 14);
    SetUpCaption(m_label[1], 5425, 15, 32 + dy, 70, 14);
    for (int c = 0; c < 7; ++c) {
        SetUpCaption(m_label[2 + c], 5426 + UINT(c), 14 + 57 * c, 89 + dy, 57, 14, c == 0 ? 0x0000FF : 0x785A5A);
    }
    SetUpField(m_label[9], 140, 8 + dy, 70, 14, true);
    for (int m = 0; m < 12; ++m) {
        CSkinCaptionButton& b = m_btnMonth[m];
        b.LoadBitmap(2212);
        for (int i = 0; i < 4; ++i) {
            b.m_clrText[i] = kMonthColours[i];
        }
        b.SetFont(9, 700, "Arial Bold");
        b.SetCaption(LoadResString(5290 + UINT(m)));
        b.MoveWindow(94 + 51 * (m % 6), (m < 6 ? 28 : 51) + dy, 49, 19);
        b.m_bMarked = 0;
        b.Enable(FALSE);
    }
    for (int d = 0; d < 31; ++d) {
        CSkinCaptionButton& b = m_btnDay[d];
        b.LoadBitmap(1753);
        for (int i = 0; i < 4; ++i) {
            b.m_clrText[i] = kDayColours[i];
        }
        b.SetFont(9, 700, "Arial Bold");
        CString caption;
        caption.Format("%d", d + 1);
        b.SetCaption(caption);
        b.ShowWindow(SW_HIDE);
    }
    StartSelection();
    return TRUE;
}

const RecMonthInfo* CPlayCalendarDlg::SelectedYearRecord() {
    return FindMonthRecord(m_pFrame->MonthRecords(), m_nYear);
}

void CPlayCalendarDlg::SetMonthFlag(int month, bool hasData) {
    CSkinCaptionButton& b = m_btnMonth[month];
    b.m_bMarked = hasData ? 1 : 0;
    b.Enable(hasData ? TRUE : FALSE); // enabled in state 0, or disabled in state 3
}

int CPlayCalendarDlg::FindLatestMonth() {
    const RecMonthInfo* record = SelectedYearRecord();
    if (record == nullptr) {
        return -1;
    }
    for (int m = 0; m < 12; ++m) {
        SetMonthFlag(m, MonthHasData(record, m_nYear, m));
    }
    return LatestMonthWithData(record, m_nYear);
}

void CPlayCalendarDlg::MarkSelectedMonth() {
    for (int m = 0; m < 12; ++m) {
        CSkinCaptionButton& b = m_btnMonth[m];
        if (b.m_bMarked != 0) {
            b.Enable(TRUE);
            b.SetState(m == m_nMonth ? 1 : 0);
        } else {
            b.Enable(FALSE);
        }
    }
}

void CPlayCalendarDlg::ShowYearText() {
    CString text;
    text.Format("%d", kCalendarFirstYear + m_nYearIndex);
    ReplaceText(m_label[9], text);
}

void CPlayCalendarDlg::StartSelection() {
    const CTime now = CTime::GetCurrentTime();
    const int current = now.GetYear();
    CString text;
    text.Format("%d", current);
    m_label[9].SetText(text);
    m_nYear = ClampCalendarYear(current);
    m_nYearIndex = m_nYear - kCalendarFirstYear;
    const std::optional<int> found = FindYearWithData(current, [this](int year) {
        return LatestMonthWithData(FindMonthRecord(m_pFrame->MonthRecords(), year), year) >= 0;
    });
    if (!found) {
        m_pFrame->PostNotice(kNoticeNothingFound);
        return;
    }
    m_nYear = *found;
    m_nMonth = FindLatestMonth();
    m_bMonthSelected = true;
    MarkSelectedMonth();
    LayoutDays();
    m_nYearIndex = m_nYear - kCalendarFirstYear;
    ShowYearText();
}

void CPlayCalendarDlg::LayoutDays() {
    for (CSkinCaptionButton& b : m_btnDay) {
        b.ShowWindow(SW_HIDE);
    }
    const MonthLayout layout = GetMonthLayout(m_nYear, m_nMonth);
    const RecMonthInfo* record = SelectedYearRecord();
    for (int d = 0; d < layout.days; ++d) {
        CSkinCaptionButton& b = m_btnDay[d];
        const DayCell cell = DayGridCell(layout.firstWeekday, d);
        b.MoveWindow(4 + 57 * cell.column, 107 + m_nYOffset + 30 * cell.row, 52, 25);
        b.Enable(TRUE);
        b.SetState(0);
        const bool hasData = record != nullptr && record->Flag(m_nMonth, d) != 0;
        b.m_bMarked = hasData ? 1 : 0;
        if (hasData) {
            b.SetState(1);
        }
        b.ShowWindow(SW_SHOW);
    }
    LimitDays();
}

bool CPlayCalendarDlg::IsBusyForClicks() const {
    return FrameBusy();
}

void CPlayCalendarDlg::SelectMonth(int month) {
    if (month < 0 || month > 11 || (m_bMonthSelected && month == m_nMonth) || m_btnMonth[month].m_bMarked == 0 ||
        IsBusyForClicks()) {
        return;
    }
    m_nMonth = month;
    m_bMonthSelected = true;
    MarkSelectedMonth();
    LayoutDays();
}

void CPlayCalendarDlg::OnYearLabel() {
    if (m_label[9].GetWindowTextLength() == 0 || IsBusyForClicks()) {
        return;
    }
    auto request = std::make_unique<ListPopupRequest>();
    std::memset(request.get(), 0, sizeof(ListPopupRequest));
    request->count = kCalendarYearCount;
    for (int i = 0; i < kCalendarYearCount; ++i) {
        std::snprintf(request->texts[i], sizeof request->texts[i], "%d", kCalendarFirstYear + i);
    }
    m_label[9].GetWindowRect(&request->anchor);
    request->clickX = m_label[9].m_nClickX;
    request->clickY = m_label[9].m_nClickY;
    request->width = 210;
    m_pFrame->ShowItemPicker(this, 0, request.get(), FirstSelectableYearIndex(), 1);
}

void CPlayCalendarDlg::OnYearPicked(UINT, UINT index) {
    if (index >= UINT(kCalendarYearCount) || int(index) == m_nYearIndex) {
        return;
    }
    m_nYearIndex = int(index);
    m_nYear = kCalendarFirstYear + m_nYearIndex;
    ShowYearText();
    SelectPickedYear();
    LayoutDays();
}

void CPlayCalendarDlg::SelectPickedYear() {
    const int latest = FindLatestMonth();
    m_bMonthSelected = true;
    if (latest >= 0) {
        m_nMonth = latest;
        MarkSelectedMonth();
        return;
    }
    m_nMonth = 0;
    for (int m = 0; m < 12; ++m) {
        SetMonthFlag(m, false);
    }
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

BOOL CPlayCalendarDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id == kIdYear && HIWORD(wParam) == STN_CLICKED) {
        OnYearLabel();
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && id >= kIdFirstMonth && id < kIdFirstMonth + 12) {
        SelectMonth(int(id - kIdFirstMonth));
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && id >= kIdFirstDay && id < kIdFirstDay + 31) {
        RequestDayInfo(int(id - kIdFirstDay));
        return TRUE;
    }
    return CSearchPage::OnCommand(wParam, lParam);
}
