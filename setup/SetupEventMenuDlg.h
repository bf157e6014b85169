#pragma once
// The Event menu: e-mail and the three event pages.

#include "res/DialogIds.h"
#include "setup/SetupMenuDlg.h"

class CSetupEventMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_EVENT_MENU_DLG;
    CSetupEventMenuDlg();
};
