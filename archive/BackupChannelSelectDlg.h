#pragma once
// The channel page of the Backup tab: the Search tab's channel page in its own slot.

#include "archive/ChannelSelectDlg.h"
#include "res/DialogIds.h"

class CBackupChannelSelectDlg : public CChannelSelectDlg {
public:
    static constexpr UINT IDD = IDD_BACKUP_CHANNEL_SELECT_DLG;
    CBackupChannelSelectDlg();
};
