#pragma once
// The calendar design the play, backup and local calendars share: one month of one year as a grid
// of day buttons, months and days with recordings marked, a year picker, and a click on a marked
// day. Where the records come from, what a day click does and which frame the pickers and notices
// go through is the page's own (the hooks below).

#include "archive/ArchiveRecords.h"
#include "archive/CalendarMath.h"
#include "archive/PageStyle.h"
#include "archive/PickerRequests.h"
#include "controls/SkinCaptionButton.h"
#include "controls/SkinLabel.h"
#include "platform/base/Time.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>

template <class PageBase>
class TCalendarPage : public PageBase {
public:
    static constexpr UINT kIdYear = 799;
    static constexpr UINT kIdFirstMonth = 890;
    static constexpr UINT kIdFirstDay = 840;

    int SelectedYear() const { return m_nYear; }
    int SelectedMonth() const { return m_nMonth; }
    int ClickedDay() const { return m_nDay; }
    CSkinCaptionButton& MonthButton(int m) { return m_btnMonth[m]; }
    CSkinCaptionButton& DayButton(int d) { return m_btnDay[d]; }
    CSkinLabel& Label(int k) { return m_label[k]; }

    // Month button click: a flagged month other than the shown one.
    void SelectMonth(int month) {
        if (month < 0 || month > 11 || (m_bMonthSelected && month == m_nMonth) || m_btnMonth[month].m_bMarked == 0 ||
            ClicksBlocked()) {
            return;
        }
        m_nMonth = month;
        m_bMonthSelected = true;
        MarkSelectedMonth();
        LayoutDays();
    }

    // A click on a day button (0-30).
    virtual void RequestDayInfo(int day) = 0;

    // The year label: the year picker, 38 years, from the first selectable one.
    void OnYearLabel() {
        if (m_label[9].GetWindowTextLength() == 0 || ClicksBlocked()) {
            return;
        }
        auto request = std::make_unique<ListPopupRequest>();
        std::memset(request.get(), 0, sizeof(ListPopupRequest));
        request->count = kCalendarYearCount;
        for (int i = 0; i < kCalendarYearCount; ++i) {
            std::snprintf(request->items[i], sizeof request->items[i], "%d", kCalendarFirstYear + i);
        }
        m_label[9].GetWindowRect(&request->anchor);
        request->clickX = m_label[9].m_nClickX;
        request->clickY = m_label[9].m_nClickY;
        request->width = 210;
        OpenYearPicker(*request, FirstSelectableYearIndex());
    }

    void OnYearPicked(UINT, UINT index) {
        if (index >= UINT(kCalendarYearCount) || int(index) == m_nYearIndex) {
            return;
        }
        m_nYearIndex = int(index);
        m_nYear = kCalendarFirstYear + m_nYearIndex;
        ShowYearText();
        SelectPickedYear();
        LayoutDays();
    }
    void OnItemPicked(UINT field, UINT index) override { OnYearPicked(field, index); }

protected:
    TCalendarPage(UINT idd, int slot, UINT background, int yOffset)
        : PageBase(idd, slot, background), m_nYOffset(yOffset) {}

    // ---- the page's own
    // The month record of a year, or null when it has no recordings.
    virtual const RecMonthInfo* YearRecord(int year) = 0;
    // Clicks on months, days and the year label wait while a request is outstanding.
    virtual bool ClicksBlocked() const = 0;
    virtual void PostNothingFound() = 0;
    virtual void OpenYearPicker(const ListPopupRequest& request, int firstIndex) = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        PageBase::DoDataExchange(pDX);
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

    BOOL OnInitDialog() override {
        PageBase::OnInitDialog();
        static const COLORREF kMonthColours[4] = {0x783C3C, 0xEFAE00, 0xEFAE00, 0xCDBCBC};
        static const COLORREF kDayColours[4] = {0x783C3C, 0xFFFFFF, 0x0000FF, 0xCDBCBC};
        const int dy = m_nYOffset;
        SetUpCaption(m_label[0], IDS_YEAR, 15, 9 + dy, 70, 14);
        SetUpCaption(m_label[1], IDS_MONTH, 15, 32 + dy, 70, 14);
        for (int c = 0; c < 7; ++c) {
            SetUpCaption(m_label[2 + c], IDS_SUN + UINT(c), 14 + 57 * c, 89 + dy, 57, 14, c == 0 ? 0x0000FF : 0x785A5A);
        }
        SetUpField(m_label[9], 140, 8 + dy, 70, 14, true);
        for (int m = 0; m < 12; ++m) {
            CSkinCaptionButton& b = m_btnMonth[m];
            b.LoadBitmap(IDB_CALENDAR_MONTH);
            for (int i = 0; i < 4; ++i) {
                b.m_clrText[i] = kMonthColours[i];
            }
            b.SetFont(9, 700, "Arial Bold");
            b.SetCaption(LoadResString(IDS_JAN + UINT(m)));
            b.MoveWindow(94 + 51 * (m % 6), (m < 6 ? 28 : 51) + dy, 49, 19);
            b.m_bMarked = 0;
            b.Enable(FALSE);
        }
        for (int d = 0; d < 31; ++d) {
            CSkinCaptionButton& b = m_btnDay[d];
            b.LoadBitmap(IDB_CALENDAR_DAY);
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

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
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
        return PageBase::OnCommand(wParam, lParam);
    }

    // The first choice of year and month: the latest month with recordings of the latest year with
    // recordings, looking back from the current year.
    virtual void StartSelection() {
        const int current = CTime::GetCurrentTime().GetYear();
        CString text;
        text.Format("%d", current);
        m_label[9].SetText(text);
        m_nYear = ClampCalendarYear(current);
        m_nYearIndex = m_nYear - kCalendarFirstYear;
        const std::optional<int> found =
            FindYearWithData(current, [this](int year) { return LatestMonthWithData(YearRecord(year), year) >= 0; });
        if (!found) {
            PostNothingFound();
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

    // Gives the month buttons their flags for the shown year; the highest month with data or -1.
    int FindLatestMonth() {
        const RecMonthInfo* record = YearRecord(m_nYear);
        if (record == nullptr) {
            for (int m = 0; m < 12; ++m) {
                SetMonthFlag(m, false);
            }
            return -1;
        }
        for (int m = 0; m < 12; ++m) {
            SetMonthFlag(m, MonthHasData(record, m_nYear, m));
        }
        return LatestMonthWithData(record, m_nYear);
    }

    // Flagged months 0, or 1 when shown; the others closed.
    void MarkSelectedMonth() {
        for (int m = 0; m < 12; ++m) {
            CSkinCaptionButton& b = m_btnMonth[m];
            if (b.m_bMarked != 0) {
                b.Enable(TRUE);
                b.SetState(m == m_nMonth ? kButtonOn : kButtonNormal);
            } else {
                b.Enable(FALSE);
            }
        }
    }

    void LayoutDays() {
        for (CSkinCaptionButton& b : m_btnDay) {
            b.ShowWindow(SW_HIDE);
        }
        const MonthLayout layout = GetMonthLayout(m_nYear, m_nMonth);
        const RecMonthInfo* record = YearRecord(m_nYear);
        for (int d = 0; d < layout.days; ++d) {
            CSkinCaptionButton& b = m_btnDay[d];
            const DayCell cell = DayGridCell(layout.firstWeekday, d);
            b.MoveWindow(4 + 57 * cell.column, 107 + m_nYOffset + 30 * cell.row, 52, 25);
            b.Enable(TRUE);
            b.SetState(kButtonNormal);
            const bool hasData = record != nullptr && record->Flag(m_nMonth, d) != 0;
            b.m_bMarked = hasData ? 1 : 0;
            if (hasData) {
                b.SetState(kButtonOn);
            }
            b.ShowWindow(SW_SHOW);
        }
        LimitDays();
    }

    // After the day grid: the backup calendar's limits while it picks the end day.
    virtual void LimitDays() {}

    // The picked year shown: its latest month, or January with every month closed.
    virtual void SelectPickedYear() {
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

    virtual int FirstSelectableYearIndex() const { return 0; }

    void ShowYearText() {
        CString text;
        text.Format("%d", kCalendarFirstYear + m_nYearIndex);
        ReplaceText(m_label[9], text);
    }

    void SetMonthFlag(int month, bool hasData) {
        CSkinCaptionButton& b = m_btnMonth[month];
        b.m_bMarked = hasData ? 1 : 0;
        b.Enable(hasData ? TRUE : FALSE); // enabled in state 0, or disabled in state 3
    }

    CSkinLabel m_label[10];
    CSkinCaptionButton m_btnMonth[12];
    CSkinCaptionButton m_btnDay[31];
    int m_nYear = 0;
    int m_nMonth = 0;
    int m_nDay = 0;
    int m_nYearIndex = 0;
    bool m_bMonthSelected = false;
    int m_nYOffset = 0;
};

// The controls of a calendar template: labels 790-799 (799 clickable), month buttons 890-901, day
// buttons 840-870, and the backup calendar's Prev button 483 when asked.
std::span<const DialogItem> CalendarTemplateItems(bool withPrev);
