#pragma once
// The local day timeline: the day timeline's design over the segments the local calendar found in
// the downloaded backup sets for one day. Play hands the chosen time to the local search frame,
// which opens the recordings from there.

#include "archive/DayTimelinePage.h"
#include "archive/LocalMonthBlock.h"
#include "archive/LocalSearchPage.h"
#include "res/DialogIds.h"

#include <vector>

class CLocalDayTimelineDlg : public TDayTimelinePage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_DAY_TIMELINE_DLG;

    // year in full, month 0-11, day 0-30, and the day's segments, which the page keeps.
    CLocalDayTimelineDlg(int year, int month, int day, std::vector<LocalSegment> segments);

    const std::vector<LocalSegment>& Segments() const { return m_segments; }
    void OnPlay() override;
    void OnPrev() override;

protected:
    void DrawDayBars(CDC* pDC) override;
    void OpenTimePicker(const TimePickerRequest& request) override;
    int DateFormat() override;
    bool InitialTime(int&, int&, int&) override { return false; }
    bool PlayAllowed() override;

private:
    std::vector<LocalSegment> m_segments;
};
