#pragma once
// The Backup tab's menu: Date/Time, Event, Calendar and Select Channel for choosing a backup range.

#include "archive/ArchiveMenuDlg.h"

class CBackupMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = 221;
    CBackupMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
