#pragma once
// The Backup tab's menu: Date/Time, Event, Calendar and Select Channel for choosing a backup range.

#include "archive/ModeMenuDlg.h"
#include "res/DialogIds.h"

class CBackupMenuDlg : public CModeMenuDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_MENU_DLG;
    CBackupMenuDlg();

protected:
    BOOL OnInitDialog() override;
    void OnDateTime() override;
    void OnEvent() override;
    void OnCalendar() override;
    void OnSelectChannel() override;
};
