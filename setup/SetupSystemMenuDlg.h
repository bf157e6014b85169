#pragma once
// The System menu: general, accounts, per-channel choices, days, PTZ, keyboard, time, time server
// and options.

#include "setup/SetupMenuDlg.h"

class CSetupSystemMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = 153;
    CSetupSystemMenuDlg();
};
