#include "archive/BackupSizeMath.h"

#include <limits>

BackupSize MakeBackupSize(DWORD kbytes) {
    BackupSize size;
    size.kbytes = kbytes;
    if (kbytes < 1024) {
        size.shown = kbytes;
        size.unit = 0;
    } else if ((kbytes >> 10) < 1024) {
        size.shown = kbytes >> 10;
        size.unit = 1;
    } else {
        size.shown = kbytes >> 20;
        size.unit = 2;
    }
    return size;
}

CString BackupSizeText(const BackupSize& size) {
    static const char* const kFormats[3] = {"%d KByte", "%d MByte", "%d GByte"};
    CString text;
    text.Format(kFormats[size.unit > 2 ? 0 : size.unit], int(size.shown));
    return text;
}

LONGLONG BackupMargin(DWORD freeMByte, DWORD kbytes) {
    return LONGLONG(freeMByte) - LONGLONG(kbytes >> 10);
}

LONG ClampToLong(LONGLONG value) {
    if (value > std::numeric_limits<LONG>::max()) {
        return std::numeric_limits<LONG>::max();
    }
    if (value < std::numeric_limits<LONG>::min()) {
        return std::numeric_limits<LONG>::min();
    }
    return LONG(value);
}

BackupSizeDecision DecideBackupSize(DWORD kbytes, DWORD freeMByte, bool transferRunning) {
    BackupSizeDecision d;
    d.size = MakeBackupSize(kbytes);
    d.margin = BackupMargin(freeMByte, kbytes);
    d.fits = d.margin >= kBackupSpareMByte;
    if (!d.fits) {
        d.calculate = true;
        return d;
    }
    d.text = BackupSizeText(d.size);
    if (kbytes == 0) {
        d.calculate = true;
        return d;
    }
    d.backup = !transferRunning;
    return d;
}
