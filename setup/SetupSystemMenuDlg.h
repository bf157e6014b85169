#pragma once
// The System menu: general, accounts, per-channel choices, days, PTZ, keyboard, time, time server
// and options.

#include "res/DialogIds.h"
#include "setup/SetupMenuDlg.h"

class CSetupSystemMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_SYSTEM_MENU_DLG;
    CSetupSystemMenuDlg();
};
