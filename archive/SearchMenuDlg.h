#pragma once
// The Search tab's menu: Date/Time, Event, Calendar and Select Channel. It reopens the search that
// started the playback running now (the resume record) instead of asking the recorder again.

#include "archive/ArchiveMenuDlg.h"
#include "res/DialogIds.h"

class CSearchMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = IDD_SEARCH_MENU_DLG;
    CSearchMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;

private:
    void OnDateTime();
    void OnEvent();
    void OnCalendar();
    void OnSelectChannel();
};
