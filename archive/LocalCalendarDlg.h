#pragma once
// The local calendar: the play calendar's design over the downloaded backup sets. It builds the
// shown year's month block from the index files, and a click on a marked day opens the local day
// timeline with that day's segments, which the timeline then owns.

#include "archive/CalendarPage.h"
#include "archive/LocalMonthBlock.h"
#include "archive/LocalSearchPage.h"
#include "res/DialogIds.h"

class CLocalCalendarDlg : public TCalendarPage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_CALENDAR_DLG;

    CLocalCalendarDlg();

    void RequestDayInfo(int day) override;

protected:
    const RecMonthInfo* YearRecord(int year) override;
    bool ClicksBlocked() const override { return false; }
    void PostNothingFound() override;
    void OpenYearPicker(const ListPopupRequest& request, int firstIndex) override;

private:
    CLocalMonthBlock m_block;
    RecMonthInfo m_record{};
    int m_nScannedYear = -1;
};
