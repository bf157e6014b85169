#include "archive/BackupChannelSelectDlg.h"

#include "archive/RemoteSearchDlg.h"

CBackupChannelSelectDlg::CBackupChannelSelectDlg() : CChannelSelectDlg(IDD, kSlotBackupChannelSelect) {}
