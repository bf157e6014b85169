#pragma once
// The event list of the Backup tab: the selected event's time range is sized with Calculate and
// backed up with Backup.

#include "archive/BackupAction.h"
#include "archive/EventListDlg.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"

class CBackupEventListDlg : public CEventListDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_EVENT_LIST_DLG;

    CBackupEventListDlg();

    void OnCalculate();
    void OnBackup();
    void OnPlay() override { OnBackup(); }
    void OnBackupSize(DWORD kbytes) override;
    const BackupSize& Size() const { return m_action.Size(); }

    CSkinTextButton m_btnCalculate;
    CSkinLabel m_lblSize;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DWORD FirstFilter() override { return m_table.FirstFilter(); }
    bool PlayAllowed() override { return false; }
    void LayoutActions() override;
    void ListRebuilt() override;
    void OnItemChanged(const NMLISTVIEW& change) override;

private:
    CBackupAction m_action;
};
