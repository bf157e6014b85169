#pragma once
// The rows of the information pages: the recorder's status (capacities and channel states), its
// system information (connection, MAC address, firmware), and the program's own version.

#include "archive/RemoteLogText.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <array>
#include <span>
#include <vector>

struct HelloInfo;

// The first 16 bytes of the STATUS_INFO_ACK reply, in host order.
struct StatusInfoRecord {
    DWORD channel_mask = 0;    // bit i: channel i + 1 shows the status text
    DWORD status = 0;          // the recorder's state
    DWORD first_capacity = 0;  // MByte
    DWORD second_capacity = 0; // MByte
};

// A reply shorter than 16 bytes reads zeros for the missing bytes.
StatusInfoRecord ParseStatusInfo(std::span<const BYTE> reply);
// "%5lld MByte" below 1024, "%5lld GByte" below 1024 GByte, else "%6.2f TByte".
CString FormatCapacity(ULONGLONG mbyte);
// The text of a status code: 0 5138, 1 5139, 2 5140, 3 5142, 4 5141, 5 5143, else 5144.
UINT StatusText(DWORD status);

using InfoRow = std::array<CString, 3>;

// Three capacity rows, an empty row and one row per channel (16 when channelCount is 0).
std::vector<InfoRow> StatusInfoRows(const StatusInfoRecord& record, int channelCount, const TextSource& text);

// What the system page shows of the connection.
struct SystemInfoSource {
    CString address;
    DWORD port = 0;
    CString connectionText;
    const HelloInfo* hello = nullptr;
};
// "%04d  %02d%02d  %02d%02d" of a firmware version time (negative as 0), broken down as UTC.
CString FormatFirmwareDate(DWORD version);
std::vector<InfoRow> SystemInfoRows(const SystemInfoSource& source, const TextSource& text);

// The local information page's row: text 5410 and " major.minor.build.revision".
InfoRow VersionRow(const WORD version[4], const TextSource& text);
