#pragma once
// The Rec menu: the record pages. The sixth button (page 167) is never shown and the last two
// move up into its row; on recorders of sub-type 3 the last two are hidden as well and the fifth
// button opens the schedule page 171 instead of page 166.

#include "res/DialogIds.h"
#include "setup/SetupMenuDlg.h"

class CSetupRecMenuDlg : public CSetupMenuDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_REC_MENU_DLG;
    CSetupRecMenuDlg();
    static constexpr int kScheduleSubType = 3;

protected:
    UINT PageOfButton(int i) const override;
    void ArrangeButtons() override;
};
