#pragma once
// The Search and Backup tabs' menus: Date/Time, Event, Calendar and Select Channel, the same buttons
// at the same places. A button is ignored while the frame is busy, else it selects itself and runs
// the tab's step; Event and Calendar ask the recorder, so they set the frame busy first.

#include "archive/ArchiveMenuDlg.h"

class CModeMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr MenuButtonSpec kButtons[] = {
        {450, 2164, 5560, 1},
        {451, 2165, 5451, 41},
        {452, 2166, 5561, 81},
        {453, 2167, 5562, 395},
    };
    static constexpr auto kItems = MenuButtonItems(kButtons);

    void OnMenuButton(UINT id) final;

protected:
    CModeMenuDlg(UINT idd, int slot);

    virtual void OnDateTime() = 0;
    virtual void OnEvent() = 0;
    virtual void OnCalendar() = 0;
    virtual void OnSelectChannel() = 0;
};
