#include "archive/RemoteLogText.h"

#include "platform/base/Clock.h"
#include "res/TextIds.h"

#include <cstring>
#include <string>

namespace {

struct KindTexts {
    int lastBit;
    UINT texts[14]; // 0 for the camera name label of Operation sub-kind 13
};

constexpr KindTexts kKinds[5] = {
    {2, {IDS_POWER_ON, IDS_POWER_OFF, IDS_POWER_FAILURE}},
    {4, {IDS_RECORDING_STARTED, IDS_RECORDING_STOPPED, IDS_DISK_FULL, IDS_OVERWRITE_STARTED, IDS_DISK_ERROR}},
    {13,
     {IDS_MENU_ENTERED, IDS_TIME_CHANGED, IDS_FIRMWARE_UPDATE, IDS_SETUP, IDS_SETUP, IDS_BACKUP_BUTTON,
      IDS_PLAYBACK_OPERATION, IDS_INITIALIZE, IDS_DISK_FORMAT, IDS_BACKUP_BUTTON, IDS_LOGIN_LOCAL_LOG,
      IDS_DISCONNECT_LOG, IDS_LOGIN_FAILED, 0}},
    {7,
     {IDS_LOGIN, IDS_LOGOUT, IDS_LIVE_VIEW, IDS_PLAYBACK, IDS_BACKUP, IDS_SETUP_CHANGE, IDS_FIRMWARE, IDS_PTZ_CONTROL}},
    {4, {IDS_ALARM, IDS_MOTION, IDS_AUDIO_EVENT, IDS_VIDEO_LOSS, IDS_DISK_ALARM}},
};

// A fixed-size text field that may fill its slot without a terminator.
CString FieldText(const char* field, std::size_t size) {
    return CString(std::string(field, strnlen(field, size)).c_str());
}

CString Cut(const CString& text) {
    return text.GetLength() > kLogColumnChars ? text.Left(kLogColumnChars) : text;
}

CString Prefixed(const TextSource& text, UINT id) {
    return CString(" ") + text(id);
}

struct Fields {
    int year, month, day, hour, minute, second;
};

Fields Breakdown(DWORD time) {
    const LONG signedTime = LONG(time);
    SYSTEMTIME st{};
    TimeToSystemTime(std::time_t(signedTime < 0 ? 0 : signedTime), &st, false);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

CString FormatDate(DWORD time, int dateFormat, const char* prefix) {
    const Fields f = Breakdown(time);
    CString text;
    if (dateFormat == 0) {
        text.Format("%s%04d-%02d-%02d %02d:%02d:%02d", prefix, f.year, f.month, f.day, f.hour, f.minute, f.second);
    } else if (dateFormat == 1) {
        text.Format("%s%02d-%02d-%04d %02d:%02d:%02d", prefix, f.month, f.day, f.year, f.hour, f.minute, f.second);
    } else {
        text.Format("%s%02d-%02d-%04d %02d:%02d:%02d", prefix, f.day, f.month, f.year, f.hour, f.minute, f.second);
    }
    return text;
}

CString KindText(const RemoteLogEntry& entry, int kind, const TextSource& text) {
    const KindTexts& k = kKinds[kind];
    const int sub = LowestBit(entry.index_sub, k.lastBit);
    if (sub < 0) {
        return {};
    }
    if (kind == kLogOperation && sub == kLogSubCameraName) {
        CString label;
        label.Format(" Cam%02d Name", int(entry.value));
        return label;
    }
    return Prefixed(text, k.texts[sub]);
}

CString LastColumn(const RemoteLogEntry& entry, int kind) {
    const CString longText = FieldText(entry.long_text, sizeof entry.long_text);
    switch (kind) {
    case kLogPower:
        return LowestBit(entry.index_sub, 2) == 1 ? longText : CString();
    case kLogOperation: {
        const int sub = LowestBit(entry.index_sub, 13);
        return sub == 2 || sub == 8 ? CString() : longText;
    }
    case kLogEvent: {
        CString channels;
        for (int n = 0; n < 16; ++n) {
            if ((entry.value & (1u << n)) != 0) {
                channels.AppendFormat("%02d ", n + 1);
            }
        }
        return channels;
    }
    default:
        return longText;
    }
}

CString BigEndianDate(const BYTE* p, int dateFormat) {
    const DWORD value = (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
    return FormatDate(value, dateFormat, " ");
}

LogRow DetailRow(const CString& label, const CString& value) {
    return {CString(), Cut(label), Cut(value), CString(), CString()};
}

// Settings groups of a settings change: the mask byte's bits looked at, the group text and the
// setting texts (0: no row).
struct SettingGroup {
    int bits;
    UINT group;
    UINT settings[8];
};

constexpr SettingGroup kSettingGroups[5] = {
    {6, IDS_DISPLAY, {IDS_CAMERA, IDS_COVERT, IDS_CAMERA_NAME, IDS_SPOT_OUT, IDS_OSD, IDS_MONITOR}},
    {8,
     IDS_RECORD,
     {IDS_GENERAL, IDS_CONTINUOUS, IDS_ALARM, IDS_MOTION, IDS_SCHEDULE, IDS_AUDIO_EVENT, IDS_HOLIDAY, IDS_MODE_SLOTS}},
    {8,
     IDS_SYSTEM,
     {IDS_GENERAL_SYSTEM_MENU, IDS_PASSWORD_DETAIL, IDS_USER_MENU, 0, IDS_ALARM_OUTPUT, IDS_PTZ_MENU, IDS_KEYBOARD,
      IDS_OPTIONS}},
    {3, IDS_NETWORK, {IDS_DHCP, IDS_DDNS, IDS_NTP}},
    {5, IDS_EVENT, {IDS_E_MAIL, IDS_ALARM_IN, IDS_BUZZER, IDS_ALARM_OUT, IDS_EVENT_POPUP}},
};

void AddSettingRows(const RemoteLogEntry& entry, const TextSource& text, std::vector<LogRow>& rows) {
    for (int g = 0; g < 5; ++g) {
        const SettingGroup& group = kSettingGroups[g];
        const BYTE mask = entry.detail[g];
        for (int b = 0; b < group.bits; ++b) {
            if ((mask & (1u << b)) != 0 && group.settings[b] != 0) {
                rows.push_back(DetailRow(Prefixed(text, group.group), Prefixed(text, group.settings[b])));
            }
        }
    }
}

void AddBackupRows(const RemoteLogEntry& entry, int dateFormat, const TextSource& text, std::vector<LogRow>& rows) {
    static const char* const kMedia[10] = {" CD-R",   " CD-RW",     " DVD-R",          " DVD+R",   " DVD-RW",
                                           " DVD+RW", " DVD+RW DL", " Removable Disk", " Unknown", " PC"};
    const BYTE media = entry.detail[0];
    rows.push_back(DetailRow(Prefixed(text, IDS_MEDIA), media < 10 ? kMedia[media] : " Unknown"));
    rows.push_back(DetailRow(Prefixed(text, IDS_TYPE), entry.detail[1] == 1 ? " AVI" : " Exclusive"));
    rows.push_back(DetailRow(Prefixed(text, IDS_START), BigEndianDate(entry.detail + 8, dateFormat)));
    rows.push_back(DetailRow(Prefixed(text, IDS_END), BigEndianDate(entry.detail + 12, dateFormat)));
    for (int half = 0; half < 2; ++half) {
        const BYTE channels = entry.detail[2 + half];
        if (channels == 0) {
            continue;
        }
        CString list;
        for (int n = 0; n < 8; ++n) {
            if ((channels & (1u << n)) != 0) {
                list.AppendFormat(" %02d", n + 1 + 8 * half);
            }
        }
        rows.push_back(DetailRow(Prefixed(text, IDS_CH), list));
    }
}

void AddCameraNameRows(const RemoteLogEntry& entry, std::vector<LogRow>& rows) {
    // Both names lie inside the long text: the previous at byte 88 of the entry, the new at 120.
    constexpr std::size_t kPrevious = 88 - offsetof(RemoteLogEntry, long_text);
    constexpr std::size_t kNew = 120 - offsetof(RemoteLogEntry, long_text);
    rows.push_back(DetailRow(" Previous", CString(" ") + FieldText(entry.long_text + kPrevious, 32)));
    rows.push_back(DetailRow(" New", CString(" ") + FieldText(entry.long_text + kNew, 32)));
}

} // namespace

CString FormatLogDateTime(DWORD time, int dateFormat) {
    return FormatDate(time, dateFormat, "");
}

LogRow FormatRemoteLogRow(const RemoteLogEntry& entry, int kind, int dateFormat, const TextSource& text) {
    LogRow row;
    row[0].Format("%05d", int(entry.number));
    row[0] = Cut(row[0]);
    row[1] = FormatLogDateTime(entry.time, dateFormat);
    if (kind < 0) {
        kind = LowestBit(entry.index_main, 4);
    }
    if (kind < 0 || kind > 4) {
        return row;
    }
    row[2] = Cut(KindText(entry, kind, text));
    row[3] = Cut(FieldText(entry.short_text, sizeof entry.short_text));
    row[4] = Cut(LastColumn(entry, kind));
    return row;
}

int DetailKindOf(const RemoteLogEntry& entry) {
    if (LowestBit(entry.index_main, 4) != kLogOperation) {
        return -1;
    }
    const int sub = LowestBit(entry.index_sub, 13);
    return sub == kLogSubSettingsChange || sub == kLogSubBackup || sub == kLogSubCameraName ? sub : -1;
}

bool IsPlayableEvent(const RemoteLogEntry& entry) {
    if (LowestBit(entry.index_main, 4) != kLogEvent) {
        return false;
    }
    const int sub = LowestBit(entry.index_sub, 4);
    return sub <= 2;
}

std::vector<LogRow> FormatRemoteLogDetail(const RemoteLogEntry& entry, int detailKind, int dateFormat,
                                          const TextSource& text) {
    std::vector<LogRow> rows;
    rows.push_back(FormatRemoteLogRow(entry, kLogOperation, dateFormat, text));
    rows.push_back(LogRow{});
    switch (detailKind) {
    case kLogSubSettingsChange:
        AddSettingRows(entry, text, rows);
        break;
    case kLogSubBackup:
        AddBackupRows(entry, dateFormat, text, rows);
        break;
    case kLogSubCameraName:
        AddCameraNameRows(entry, rows);
        break;
    default:
        break;
    }
    return rows;
}
