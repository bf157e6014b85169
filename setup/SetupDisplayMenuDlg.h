#pragma once
// The Display menu: cameras, covert, camera names, spot out and OSD.

#include "res/DialogIds.h"
#include "setup/SetupMenuDlg.h"

class CSetupDisplayMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_DISPLAY_MENU_DLG;
    CSetupDisplayMenuDlg();
};
