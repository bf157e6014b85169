#pragma once
// The date and time page of the Backup tab: a start and end date and time picked as on the search
// page, then Calculate for the range's size and Backup to download it.

#include "archive/BackupAction.h"
#include "archive/DateTimeSearchDlg.h"
#include "res/DialogIds.h"

class CBackupDateTimeDlg : public CDateTimeSearchDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_DATE_TIME_DLG;

    CBackupDateTimeDlg();

    RecTimeRange BuildRange();
    void OnCalculate();
    void OnBackup();
    void OnPlay() override { OnBackup(); }
    void OnBackupSize(DWORD kbytes) override;
    const BackupSize& Size() const { return m_action.Size(); }

    CSkinTextButton m_btnCalculate;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool ChooseNewLayout() override { return true; }
    void InitControls() override;
    void AfterPick() override;
    int LabelCount() const override { return 15; }

private:
    CBackupAction m_action;
};
