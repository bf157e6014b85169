#pragma once
// An empty page (161): a slot and an opener in the frame, no menu entry and no controls.

#include "setup/SetupPage.h"

class CSetupBlankDlg : public CSetupPage {
public:
    static constexpr UINT IDD = 161;
    explicit CSetupBlankDlg(CWnd* pParent = nullptr);
};
