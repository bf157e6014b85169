#pragma once
// The Info tab's menu: the recorder's system information and its status.

#include "archive/ArchiveMenuDlg.h"
#include "res/DialogIds.h"

class CInfoMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = IDD_INFO_MENU_DLG;
    CInfoMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
