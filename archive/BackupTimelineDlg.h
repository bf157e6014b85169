#pragma once
// The backup timeline: the segments of the start day (mode 0) or of the end day (mode 1) of a
// backup range. In mode 0 the operator marks the start time and goes Next to the backup calendar
// for the end day; in mode 1 the end time, then Calculate and Backup.

#include "archive/BackupAction.h"
#include "archive/SearchPage.h"
#include "archive/TimelinePage.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CBackupTimelineDlg : public TTimelinePage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_BACKUP_TIMELINE_DLG;

    CBackupTimelineDlg();

    // Takes its mode and marks from the frame's backup range.
    BOOL Create(CRemoteSearchDlg* frame) override;

    int Mode() const { return m_nMode; }
    int StartMark() const { return m_nStartMark; }
    int EndMark() const { return m_nEndMark; }
    const BackupSize& Size() const { return m_action.Size(); }

    void OnTimePicked(UINT field, int hour, int minute, int second) override;
    void OnBackupSize(DWORD kbytes) override;
    void OnCalculate();
    void OnNext();
    void OnBackup();
    void OnPrev();
    RecTimeRange BuildRange();

    CSkinTextButton m_btnCalculate;
    CSkinTextButton m_btnNext;
    CSkinTextButton m_btnBackup;
    CSkinTextButton m_btnPrev;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

private:
    // The day the bars are drawn for: the start day in mode 0, the end day in mode 1.
    void ShownDay(int& year, int& month, int& day) const;
    bool SameStartAndEndDay() const;
    bool AcceptsColumn(CPoint point) const;
    void MoveMark(int x);
    // A new end: the size is unknown again.
    void EndChanged();
    void OpenTimePicker(int labelIndex, UINT field);

    CBackupAction m_action;
    int m_nMode = 0;
    int m_nStartMark = 0;
    int m_nEndMark = 0;
};
