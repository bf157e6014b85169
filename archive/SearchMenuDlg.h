#pragma once
// The Search tab's menu: Date/Time, Event, Calendar and Select Channel. It reopens the search that
// started the playback running now (the resume record) instead of asking the recorder again.

#include "archive/ArchiveMenuDlg.h"

class CSearchMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = 220;
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
