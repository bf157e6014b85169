#pragma once
// The menu of the local search frame's Log tab: reads the local log when it opens, and its one
// button shows the local log page.

#include "archive/LocalButtonMenuDlg.h"
#include "res/DialogIds.h"

class CLocalLogMenuDlg : public CLocalButtonMenuDlg {
public:
    static constexpr UINT IDD = IDD_LOCAL_LOG_MENU_DLG;

    CLocalLogMenuDlg();
};
