#pragma once
// The play calendar: one month of one year as a grid of day buttons over the recorder's month
// records. Months and days with recordings are marked; a click on a marked day asks the recorder
// for that day's segments, whose reply opens the day timeline. The backup calendar derives from it.

#include "archive/ArchiveRecords.h"
#include "archive/SearchPage.h"
#include "controls/SkinCaptionButton.h"
#include "controls/SkinLabel.h"

class CPlayCalendarDlg : public CSearchPage {
public:
    static constexpr UINT IDD = 226;
    static constexpr UINT kIdYear = 799;
    static constexpr UINT kIdFirstMonth = 890;
    static constexpr UINT kIdFirstDay = 840;

    CPlayCalendarDlg();

    int SelectedYear() const { return m_nYear; }
    int SelectedMonth() const { return m_nMonth; }
    int ClickedDay() const { return m_nDay; }
    int YearIndex() const { return m_nYearIndex; }

    // Month button m (0-11) and day button d (0-30), and their has-data flags.
    CSkinCaptionButton& MonthButton(int m) { return m_btnMonth[m]; }
    CSkinCaptionButton& DayButton(int d) { return m_btnDay[d]; }
    CSkinLabel& Label(int k) { return m_label[k]; }

    // The handlers, as the buttons and the frame call them.
    void SelectMonth(int month);
    virtual void RequestDayInfo(int day);
    void OnYearLabel();
    void OnYearPicked(UINT field, UINT index);
    void OnItemPicked(UINT field, UINT index) override { OnYearPicked(field, index); }

protected:
    CPlayCalendarDlg(UINT idd, int slot, UINT background, int yOffset);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The first choice of year and month; the play calendar's rule.
    virtual void StartSelection();
    // Gives the month buttons their flags for the selected year; the highest month with data or -1.
    int FindLatestMonth();
    // The selected month's buttons: flagged months 0 or 1 (the selected one), the others disabled.
    void MarkSelectedMonth();
    void LayoutDays();
    // After the day grid: the backup calendar's limits while it picks the end day.
    virtual void LimitDays() {}
    // The year picked; the play calendar's rule.
    virtual void SelectPickedYear();
    virtual int FirstSelectableYearIndex() const { return 0; }
    bool IsBusyForClicks() const;
    void ShowYearText();
    void SetMonthFlag(int month, bool hasData);
    const RecMonthInfo* SelectedYearRecord();

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
