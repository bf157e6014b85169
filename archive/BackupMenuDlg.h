#pragma once
// The Backup tab's menu: Date/Time, Event, Calendar and Select Channel for choosing a backup range.

#include "archive/ArchiveMenuDlg.h"
#include "res/DialogIds.h"

class CBackupMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_MENU_DLG;
    CBackupMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
