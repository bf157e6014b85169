#include "archive/RemoteLogText.h"

#include "platform/base/Clock.h"

#include <cstring>
#include <string>

namespace {

struct KindTexts {
    int lastBit;
    UINT texts[14]; // 0 for the camera name label of Operation sub-kind 13
};

constexpr KindTexts kKinds[5] = {
    {2, {5110, 5111, 5112}},
    {4, {5113, 5114, 5115, 5116, 5117}},
    {13, {5118, 5119, 5120, 5121, 5121, 5585, 5890, 5090, 5891, 5585, 5362, 5363, 5364, 0}},
    {7, {5122, 5123, 5124, 5125, 5126, 5127, 5128, 5129}},
    {4, {5130, 5131, 5132, 5133, 5134}},
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
    {6, 5893, {5660, 5661, 5452, 5662, 5663, 5895}},
    {8, 5026, {5680, 5208, 5130, 5131, 5209, 5132, 5210, 5681}},
    {8, 5894, {5700, 5880, 5861, 0, 5489, 5703, 5704, 5834}},
    {3, 5857, {5896, 5897, 5713}},
    {5, 5451, {5730, 5898, 5731, 5732, 5733}},
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
    rows.push_back(DetailRow(Prefixed(text, 5899), media < 10 ? kMedia[media] : " Unknown"));
    rows.push_back(DetailRow(Prefixed(text, 5492), entry.detail[1] == 1 ? " AVI" : " Exclusive"));
    rows.push_back(DetailRow(Prefixed(text, 5420), BigEndianDate(entry.detail + 8, dateFormat)));
    rows.push_back(DetailRow(Prefixed(text, 5421), BigEndianDate(entry.detail + 12, dateFormat)));
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
        rows.push_back(DetailRow(Prefixed(text, 5152), list));
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
