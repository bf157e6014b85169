#pragma once
// The Event menu: e-mail and the three event pages.

#include "setup/SetupMenuDlg.h"

class CSetupEventMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = 154;
    CSetupEventMenuDlg();
};
