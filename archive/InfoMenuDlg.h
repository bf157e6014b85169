#pragma once
// The Info tab's menu: the recorder's system information and its status.

#include "archive/ArchiveMenuDlg.h"

class CInfoMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = 223;
    CInfoMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
