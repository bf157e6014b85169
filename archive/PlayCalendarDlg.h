#pragma once
// The play calendar of the Search tab, over the recorder's month records: a click on a marked day
// asks the recorder for that day's segments, whose reply opens the day timeline. The backup
// calendar derives from it.

#include "archive/CalendarPage.h"
#include "archive/SearchPage.h"
#include "res/DialogIds.h"

class CPlayCalendarDlg : public TCalendarPage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_PLAY_CALENDAR_DLG;

    CPlayCalendarDlg();

    void RequestDayInfo(int day) override;

protected:
    CPlayCalendarDlg(UINT idd, int slot, UINT background, int yOffset);

    const RecMonthInfo* YearRecord(int year) override;
    bool ClicksBlocked() const override { return FrameBusy(); }
    void PostNothingFound() override;
    void OpenYearPicker(const ListPopupRequest& request, int firstIndex) override;
};
