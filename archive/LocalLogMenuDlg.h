#pragma once
// The menu of the local search frame's Log tab: reads the local log when it opens, and its one
// button shows the local log page.

#include "archive/LocalButtonMenuDlg.h"

class CLocalLogMenuDlg : public CLocalButtonMenuDlg {
public:
    static constexpr UINT IDD = 132;

    CLocalLogMenuDlg();

    void OnAll() { OnButton(); }
};
