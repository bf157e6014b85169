#pragma once
// The day timeline of the Search tab: the segments of one day of the recorder, and Play, which
// starts remote playback at the chosen time of that day and closes the frame.

#include "archive/DayTimelinePage.h"
#include "archive/SearchPage.h"
#include "res/DialogIds.h"

class CDayTimelineDlg : public TDayTimelinePage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_DAY_TIMELINE_DLG;

    // year in full, month 0-11, day 0-30.
    CDayTimelineDlg(int year, int month, int day);

    void OnPlay() override;
    void OnPrev() override;

protected:
    void DrawDayBars(CDC* pDC) override;
    void OpenTimePicker(const TimePickerRequest& request) override;
    int DateFormat() override;
    bool InitialTime(int& hour, int& minute, int& second) override;
    bool PlayAllowed() override;
};
