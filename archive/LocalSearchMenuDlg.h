#pragma once
// The menu of the local search frame's Search tab: Date/Time, Event and Calendar, each opening its
// page. It opens on Date/Time, or on Calendar when the program runs from removable media.

#include "archive/LocalSearchPage.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CLocalSearchMenuDlg : public CLocalSearchPage {
public:
    static constexpr UINT IDD = IDD_LOCAL_SEARCH_MENU_DLG;
    static constexpr UINT kIdDateTime = 450;
    static constexpr UINT kIdEvent = 451;
    static constexpr UINT kIdCalendar = 452;

    CLocalSearchMenuDlg();

    void OnDateTime();
    void OnEvent();
    void OnCalendar();

    CSkinTextButton m_btn[3];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void Press(int index);
};
