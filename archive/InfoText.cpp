#include "archive/InfoText.h"

#include "platform/base/Clock.h"
#include "protocol/HelloInfo.h"
#include "res/TextIds.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

DWORD BigEndianAt(std::span<const BYTE> bytes, std::size_t at) {
    BYTE b[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        b[i] = at + i < bytes.size() ? bytes[at + i] : 0;
    }
    return (DWORD(b[0]) << 24) | (DWORD(b[1]) << 16) | (DWORD(b[2]) << 8) | DWORD(b[3]);
}

CString Cut(const CString& text) {
    return text.GetLength() > kLogColumnChars ? text.Left(kLogColumnChars) : text;
}

} // namespace

StatusInfoRecord ParseStatusInfo(std::span<const BYTE> reply) {
    StatusInfoRecord record;
    record.channel_mask = BigEndianAt(reply, 0);
    record.status = BigEndianAt(reply, 4);
    record.first_capacity = BigEndianAt(reply, 8);
    record.second_capacity = BigEndianAt(reply, 12);
    return record;
}

CString FormatCapacity(ULONGLONG mbyte) {
    CString text;
    if (mbyte < 1024) {
        text.Format("%5lld MByte", static_cast<long long>(mbyte));
        return text;
    }
    const ULONGLONG gbyte = mbyte >> 10;
    if (gbyte < 1024) {
        text.Format("%5lld GByte", static_cast<long long>(gbyte));
        return text;
    }
    text.Format("%6.2f TByte", double(gbyte) * 0.0009765625);
    return text;
}

UINT StatusText(DWORD status) {
    static constexpr UINT kTexts[6] = {IDS_IDLE,
                                       IDS_RECORDING,
                                       IDS_ALARM_RECORDING,
                                       IDS_SCHEDULE_RECORDING,
                                       IDS_MOTION_RECORDING,
                                       IDS_VIDEO_LOSS_STATUS};
    return status < 6 ? kTexts[status] : IDS_NONE_STATUS;
}

std::vector<InfoRow> StatusInfoRows(const StatusInfoRecord& record, int channelCount, const TextSource& text) {
    std::vector<InfoRow> rows;
    rows.push_back({text(IDS_TOTAL_SPACE), FormatCapacity(record.first_capacity), {}});
    rows.push_back({text(IDS_USED_SPACE), FormatCapacity(DWORD(record.first_capacity - record.second_capacity)), {}});
    rows.push_back({text(IDS_FREE_SPACE), FormatCapacity(record.second_capacity), {}});
    rows.push_back({});
    const int channels = channelCount > 0 ? std::min(channelCount, 16) : 16;
    const CString label = text(IDS_CH);
    const CString state = text(StatusText(record.status));
    const CString none = text(IDS_NONE_STATUS);
    for (int i = 0; i < channels; ++i) {
        CString name;
        name.Format("%s %02d", label.GetString(), i + 1);
        rows.push_back({Cut(name), (record.channel_mask & (1u << i)) != 0 ? state : none, {}});
    }
    return rows;
}

CString FormatFirmwareDate(DWORD version) {
    const LONG signedTime = LONG(version);
    SYSTEMTIME st{};
    TimeToSystemTime(std::time_t(signedTime < 0 ? 0 : signedTime), &st, false);
    CString text;
    text.Format("%04d  %02d%02d  %02d%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return text;
}

std::vector<InfoRow> SystemInfoRows(const SystemInfoSource& source, const TextSource& text) {
    std::vector<InfoRow> rows;
    if (source.hello == nullptr) {
        return rows;
    }
    const HelloInfo& hello = *source.hello;
    CString port;
    port.Format("%d", int(source.port));
    CString mac;
    mac.Format("%02x:%02x:%02x:%02x:%02x:%02x", hello.mac[0], hello.mac[1], hello.mac[2], hello.mac[3], hello.mac[4],
               hello.mac[5]);
    mac.MakeUpper();
    rows.push_back({text(IDS_IP_ADDRESS), Cut(source.address), {}});
    rows.push_back({text(IDS_PORT), port, {}});
    rows.push_back({text(IDS_DESCRIPTION), Cut(source.connectionText), {}});
    rows.push_back({text(IDS_MAC_ADDRESS), mac, {}});
    rows.push_back({});
    static constexpr struct {
        UINT label;
        int slot;
    } kFirmware[5] = {
        {IDS_BOOT_LOADER, 0}, {IDS_KERNEL_INFO, 3}, {IDS_APPLICATION, 4}, {IDS_FILE_SYSTEM, 5}, {IDS_WEB_PAGES, 6}};
    for (const auto& f : kFirmware) {
        const char* name = hello.FirmName[f.slot];
        rows.push_back({text(f.label), FormatFirmwareDate(hello.FirmVer[f.slot]),
                        Cut(CString(std::string_view(name, strnlen(name, sizeof hello.FirmName[0]))))});
    }
    return rows;
}

InfoRow VersionRow(const WORD version[4], const TextSource& text) {
    CString value;
    value.Format(" %d.%d.%d.%d", version[0], version[1], version[2], version[3]);
    return {text(IDS_PROGRAM_VERSION), value, {}};
}
