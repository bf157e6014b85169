#pragma once
// An empty page (161): a slot and an opener in the frame, no menu entry and no controls.

#include "res/DialogIds.h"
#include "setup/SetupPage.h"

class CSetupBlankDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_SETUP_BLANK_DLG;
    explicit CSetupBlankDlg(CWnd* pParent = nullptr);
};
