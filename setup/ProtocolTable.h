#pragma once
// The control protocols the recorder offers for its PTZ cameras or for its PTZ keyboard, by protocol
// code 0..63: a name and the number of baud rates the protocol allows. The recorder's own names are
// used once SYS_ETC_INFO_EX has arrived; before that SYS_ETC_INFO gives, per code, the index of one of
// the page's built-in names and the baud count. Also the pages' fixed lists: the camera/keyboard ID
// choices and the six baud names.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "protocol/InfoBlocks.h"

#include <array>
#include <vector>

class CDvrClient;

enum class ProtocolKind { Ptz, Keyboard };

// One item of a protocol list and the code it stands for (the list leaves out codes without a name,
// so an item's place is not its code).
struct ProtocolChoice {
    CString name;
    int code;
};

class CProtocolTable {
public:
    static constexpr int kCodes = kProtocolCodes;
    // The ID list: none, "1".."5", then the steps "-1" and "+1".
    static constexpr int kIdItems = 8;
    static constexpr int kIdStepDown = 6;
    static constexpr int kIdStepUp = 7;
    static constexpr int kMaxId = 255;

    // What the recorder told about its protocols; ex is null while SYS_ETC_INFO_EX has not arrived.
    CProtocolTable(ProtocolKind kind, const SysEtcInfo& info, const SysEtcInfoEx* ex);
    // From the connection's latest blocks; an empty table without a connection.
    static CProtocolTable FromClient(const CDvrClient* client, ProtocolKind kind);

    // The name of a code; empty for a code without a protocol or outside 0..63.
    CString Name(int code) const;
    // The name, or the code's number where there is none, so a selector always has something to click.
    CString NameOrNumber(int code) const;
    // 0..6; 0 for a code without a protocol.
    int BaudCount(int code) const;
    // The named protocols in code order, at most `limit` of them.
    std::vector<ProtocolChoice> Choices(int limit) const;

    // The built-in name of an index (PTZ 1..6, keyboard 1..2); empty for any other.
    static CString BuiltInName(ProtocolKind kind, int index);
    // "2400 bps" ... "76800 bps" for index 0..5.
    static const std::array<CString, kBaudRateCount>& BaudNames();
    // The eight ID items (the first is the none text).
    static std::vector<CString> IdItems();
    // The ID shown on a selector: "%d", or the none text for 0.
    static CString IdText(int id);
    // The ID after choosing ID item `index` with the ID at `current`: items 0..5 set it, "-1" lowers
    // it (an ID below 2 becomes 0), "+1" raises it up to 255. Other indexes leave it.
    static int IdAfterChoice(int current, int index);
    // The baud index a protocol change leaves: the current one when the protocol allows it, else the
    // protocol's highest; a protocol without baud rates leaves it as it is.
    static int BaudAfterProtocol(int baud, int baudCount);

private:
    std::array<CString, kCodes> m_names;
    std::array<int, kCodes> m_baudCounts{};
};
