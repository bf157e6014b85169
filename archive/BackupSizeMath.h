#pragma once
// The size of a backup range as the backup pages show it, and the free-space rule: a backup may
// start only when at least 100 MByte of the save drive stay free after it.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

constexpr LONGLONG kBackupSpareMByte = 100;

struct BackupSize {
    DWORD kbytes = 0;
    DWORD shown = 0; // the number displayed
    DWORD unit = 0;  // 0 KByte, 1 MByte, 2 GByte
};

// The shown value and unit, truncated toward zero: 1023 KByte, 1 MByte at 1024 KByte, 1 GByte at
// 1,048,576 KByte.
BackupSize MakeBackupSize(DWORD kbytes);
CString BackupSizeText(const BackupSize& size);

// Free MByte less the range's MByte; the backup fits when this is 100 or more. Computed wide, so a
// huge drive cannot wrap it negative.
LONGLONG BackupMargin(DWORD freeMByte, DWORD kbytes);
// A wide figure kept within what the 32-bit notice fields hold.
LONG ClampToLong(LONGLONG value);

// What a backup page does with a size reply: the label text, and which of Calculate and Backup
// are enabled. A range that fits shows its size; Backup needs a size above 0 and no backup running.
struct BackupSizeDecision {
    BackupSize size;
    CString text;        // empty when the range does not fit
    LONGLONG margin = 0; // free MByte left after the backup
    bool fits = false;
    bool calculate = false;
    bool backup = false;
};
BackupSizeDecision DecideBackupSize(DWORD kbytes, DWORD freeMByte, bool transferRunning);
