#pragma once
// The backup calendar: the play calendar over the recorder's backup month records, used twice per
// backup, first for the start day and then, after the backup timeline's Next, for the end day. Days
// before the start day cannot be picked as the end day.

#include "archive/PlayCalendarDlg.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CBackupCalendarDlg : public CPlayCalendarDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_CALENDAR_DLG;
    static constexpr UINT kIdPrev = 483;

    CBackupCalendarDlg();

    void RequestDayInfo(int day) override;
    // Back to the start day's timeline.
    void OnPrev();
    CSkinTextButton m_btnPrev;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

    void StartSelection() override;
    void LimitDays() override;
    void SelectPickedYear() override;
    int FirstSelectableYearIndex() const override;

private:
    bool EndDayPending() const;
    // The start month selected and the months before it closed, as when picking the end day.
    void SelectFromStartMonth();
    void SendDayRequest(int year, int month, int day);

    CBitmap m_bmTitle;
};
