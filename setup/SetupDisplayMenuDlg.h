#pragma once
// The Display menu: cameras, covert, camera names, spot out and OSD.

#include "setup/SetupMenuDlg.h"

class CSetupDisplayMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = 151;
    CSetupDisplayMenuDlg();
};
