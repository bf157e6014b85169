#pragma once
// The menu of the local search frame's Info tab: its one button shows the local information page.

#include "archive/LocalButtonMenuDlg.h"

class CLocalInfoMenuDlg : public CLocalButtonMenuDlg {
public:
    static constexpr UINT IDD = 133;

    CLocalInfoMenuDlg();

    void OnInfo() { OnButton(); }
};
