#pragma once
// The Log tab's menu: All, Power, Record, Operation, Client and Event logs. Only All asks the
// recorder; the other pages list the entries already received.

#include "archive/ArchiveMenuDlg.h"
#include "res/DialogIds.h"

class CLogMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = IDD_LOG_MENU_DLG;
    CLogMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
