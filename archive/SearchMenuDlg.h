#pragma once
// The Search tab's menu: Date/Time, Event, Calendar and Select Channel. It reopens the search that
// started the playback running now (the resume record) instead of asking the recorder again.

#include "archive/ModeMenuDlg.h"
#include "res/DialogIds.h"

class CSearchMenuDlg : public CModeMenuDlg {
public:
    static constexpr UINT IDD = IDD_SEARCH_MENU_DLG;
    CSearchMenuDlg();

protected:
    BOOL OnInitDialog() override;
    void OnDateTime() override;
    void OnEvent() override;
    void OnCalendar() override;
    void OnSelectChannel() override;

private:
    // True when the resume record reopens this search mode; an active record of another mode goes,
    // with its copies.
    bool ResumesMode(int mode);
};
