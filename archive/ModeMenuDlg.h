#pragma once
// The Search and Backup tabs' menus: Date/Time, Event, Calendar and Select Channel, the same buttons
// at the same places. A button is ignored while the frame is busy, else it selects itself and runs
// the tab's step; Event and Calendar ask the recorder, so they set the frame busy first.

#include "archive/ArchiveMenuDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

class CModeMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr MenuButtonSpec kButtons[] = {
        {450, IDB_SEARCH_MENU_DATE_TIME, IDS_DATE_TIME, 1},
        {451, IDB_SEARCH_MENU_EVENTS, IDS_EVENT, 41},
        {452, IDB_SEARCH_MENU_CALENDAR, IDS_CALENDAR, 81},
        {453, IDB_SEARCH_MENU_SELECT_CHANNELS, IDS_SELECT_CHANNEL, 395},
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
