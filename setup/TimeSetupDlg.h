#pragma once
// Time and daylight saving (page 183): the DST mode (record byte 3204: off, the user's rule, or one
// of the recorder's rules), the user's rule by month / week / weekday or by month / day (3205-3217),
// the DST offset (3218-3219). The page asks the recorder for its clock when it opens and keeps it
// running; when it closes after an edit of the user's rule while the clock lies in the last stretch
// of the DST period, it asks whether the change applies this year and stores the answer (3220).

#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/base/WinTypes.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <optional>
#include <vector>

class CTimeSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_TIME_SETUP_DLG;
    enum ControlId : UINT {
        IDC_BY_WEEK = 550,
        IDC_BY_DATE = 570,
        IDC_CAPTION = 790, // 790-794
        IDC_MODE = 795,
        IDC_START_MONTH = 796,
        IDC_START_WEEK = 797, // the day when shown by date
        IDC_START_WEEKDAY = 798,
        IDC_START_TIME = 799,
        IDC_END_MONTH = 800,
        IDC_END_WEEK = 801,
        IDC_END_WEEKDAY = 802,
        IDC_END_TIME = 803,
        IDC_OFFSET = 804,
    };
    enum Kind {
        kKindMode = 0,
        kKindStartMonth = 1,
        kKindStartWeek = 2,
        kKindStartWeekday = 3,
        kKindStartTime = 4,
        kKindEndMonth = 5,
        kKindEndWeek = 6,
        kKindEndWeekday = 7,
        kKindEndTime = 8,
        kKindOffset = 9,
    };
    static constexpr int kModeSlots = 100;
    // 2037-01-01 00:00:00, the latest recorder clock the page takes.
    static constexpr DWORD kLatestClock = 2114380800u;

    explicit CTimeSetupDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OnSliderResult(int kind, int value0, int value1) override;
    // Asks the question when it is due (see the header comment), then destroys the window.
    BOOL DestroyWindow() override;

    void OpenModeList();
    // Kinds 1-3 and 5-7.
    void OpenRuleList(int kind);
    // Kinds 4, 8 and 9.
    void OpenTimePopup(int kind);
    void ShowRuleByWeek();
    void ShowRuleByDate();

    // The recorder's clock as the page takes it, given the PC's offset from UTC in seconds: a clock
    // below the offset (as a signed number) is raised to it, one above 2037-01-01 lowered to that.
    // None for 0 (no clock) and for a result before 1970.
    static std::optional<LONGLONG> AdjustRecorderClock(DWORD clock, LONG pcOffset);
    // The running clock now, as wall-clock seconds.
    LONGLONG ClockNow() const;
    bool IsDstEdited() const { return m_nDstEdited != 0; }
    bool IsRuleByWeek() const { return m_nRuleByWeek != 0; }
    // The PC's offset from UTC the clock adjustment uses (tests set it).
    void SetPcZoneOffset(LONG seconds) { m_nPcOffset = seconds; }
    // The year the rule's calendar is worked out in (the PC's current local year; tests set it).
    void SetCalendarYear(int year) { m_nYear = year; }

    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_CAPTION)]; }
    CSkinTextButton& ByWeekButton() { return m_btnByWeek; }
    CSkinTextButton& ByDateButton() { return m_btnByDate; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void LoadNames();
    void SendTimeRequest();
    void InitLayout();
    void ShowDstMode();
    void ShowRuleSelectors(bool show);
    void ShowTimes();
    void MakeRuleConsistent(int kind);
    void OnRecorderClock(DWORD clock);
    // Whether the frame goes on after this page (another page chosen, or OK): the question is
    // pointless when the frame ends without sending the record (Cancel, Close, its destruction).
    bool FrameGoesOn() const;
    BYTE* Dst() const;
    UINT SelectorOfKind(int kind) const;

    std::array<CSkinLabel, 15> m_labels;
    CSkinTextButton m_btnByWeek;
    CSkinTextButton m_btnByDate;
    std::vector<CString> m_modeNames;
    std::vector<CString> m_monthNames;
    std::vector<CString> m_weekNames;
    std::vector<CString> m_weekdayNames;
    std::vector<CString> m_dayNames;
    BYTE m_nRuleByWeek = 1;
    BYTE m_nDstEdited = 0;
    LONGLONG m_nClockTime = 0;
    ULONGLONG m_nClockTicks = 0;
    LONG m_nPcOffset;
    int m_nYear;
    bool m_bAsked = false;
};
