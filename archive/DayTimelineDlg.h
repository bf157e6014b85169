#pragma once
// The day timeline of the Search tab: the segments of one day, a cursor line the operator places
// with the mouse or the time picker, and Play, which starts remote playback at the chosen time of
// that day and closes the frame.

#include "archive/TimelinePage.h"
#include "controls/SkinTextButton.h"

class CDayTimelineDlg : public CTimelinePage {
public:
    static constexpr UINT IDD = 227;

    // year in full, month 0-11, day 0-30.
    CDayTimelineDlg(int year, int month, int day);

    int CursorColumn() const { return m_nCursor; }
    void SetPickedTime(UINT field, int hour, int minute, int second);
    void OnTimePicked(UINT field, int hour, int minute, int second) override;
    void OnPlay();
    void OnPrev();
    void OnTimeLabel();

    CSkinTextButton m_btnPlay;
    CSkinTextButton m_btnPrev;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void ShownDay(int& year, int& month, int& day) const override;

private:
    void PlaceCursor(int x);

    int m_nYear;
    int m_nMonth;
    int m_nDay;
    int m_nCursor = -1;
};
