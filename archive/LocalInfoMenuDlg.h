#pragma once
// The menu of the local search frame's Info tab: its one button shows the local information page.

#include "archive/LocalButtonMenuDlg.h"
#include "res/DialogIds.h"

class CLocalInfoMenuDlg : public CLocalButtonMenuDlg {
public:
    static constexpr UINT IDD = IDD_LOCAL_INFO_MENU_DLG;

    CLocalInfoMenuDlg();
};
