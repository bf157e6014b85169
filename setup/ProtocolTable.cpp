#include "setup/ProtocolTable.h"

#include "protocol/DvrClient.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <algorithm>

namespace {

constexpr const char* kPtzNames[] = {"Pelco-P", "Pelco-D", "Vista PD", "Dongyang", "RKP-300", "Vitek"};
constexpr const char* kKeyboardNames[] = {"RKP-300", "Vista KBD"};

int BuiltInCount(ProtocolKind kind) {
    return kind == ProtocolKind::Ptz ? int(std::size(kPtzNames)) : int(std::size(kKeyboardNames));
}

} // namespace

CProtocolTable::CProtocolTable(ProtocolKind kind, const SysEtcInfo& info, const SysEtcInfoEx* ex) {
    const bool ptz = kind == ProtocolKind::Ptz;
    for (int code = 0; code < kCodes; ++code) {
        const std::size_t i = std::size_t(code);
        if (ex != nullptr) {
            m_names[i] = (ptz ? PtzProtocolName(*ex, code) : KeyboardProtocolName(*ex, code)).c_str();
            m_baudCounts[i] = ptz ? PtzBaudCount(*ex, code) : KeyboardBaudCount(*ex, code);
            continue;
        }
        // The name table the index points into starts with the unnamed index 0.
        const int tableSize = BuiltInCount(kind) + 1;
        const int index =
            ptz ? PtzProtocolNameIndex(info, code, tableSize) : KeyboardProtocolNameIndex(info, code, tableSize);
        m_names[i] = BuiltInName(kind, index);
        m_baudCounts[i] = ptz ? PtzBaudCount(info, code) : KeyboardBaudCount(info, code);
    }
}

CProtocolTable CProtocolTable::FromClient(const CDvrClient* client, ProtocolKind kind) {
    if (client == nullptr) {
        return CProtocolTable(kind, SysEtcInfo{}, nullptr);
    }
    SysEtcInfoEx ex{};
    const bool hasEx = client->Setup().GetSysEtcInfoEx(ex);
    return CProtocolTable(kind, client->Setup().GetSysEtcInfo(), hasEx ? &ex : nullptr);
}

CString CProtocolTable::Name(int code) const {
    return code >= 0 && code < kCodes ? m_names[std::size_t(code)] : CString();
}

CString CProtocolTable::NameOrNumber(int code) const {
    CString name = Name(code);
    if (name.IsEmpty()) {
        name.Format("%d", code);
    }
    return name;
}

int CProtocolTable::BaudCount(int code) const {
    return code >= 0 && code < kCodes ? m_baudCounts[std::size_t(code)] : 0;
}

std::vector<ProtocolChoice> CProtocolTable::Choices(int limit) const {
    std::vector<ProtocolChoice> choices;
    for (int code = 0; code < kCodes && int(choices.size()) < limit; ++code) {
        if (!m_names[std::size_t(code)].IsEmpty()) {
            choices.push_back({m_names[std::size_t(code)], code});
        }
    }
    return choices;
}

CString CProtocolTable::BuiltInName(ProtocolKind kind, int index) {
    if (index < 1 || index > BuiltInCount(kind)) {
        return CString();
    }
    return kind == ProtocolKind::Ptz ? kPtzNames[index - 1] : kKeyboardNames[index - 1];
}

const std::array<CString, kBaudRateCount>& CProtocolTable::BaudNames() {
    static const std::array<CString, kBaudRateCount> names = {"2400 bps",  "4800 bps",  "9600 bps",
                                                              "19200 bps", "38400 bps", "76800 bps"};
    return names;
}

std::vector<CString> CProtocolTable::IdItems() {
    return {LoadResString(IDS_OFF), "1", "2", "3", "4", "5", "-1", "+1"};
}

CString CProtocolTable::IdText(int id) {
    if (id == 0) {
        return LoadResString(IDS_OFF);
    }
    CString text;
    text.Format("%d", id);
    return text;
}

int CProtocolTable::IdAfterChoice(int current, int index) {
    if (index >= 0 && index < kIdStepDown) {
        return index;
    }
    if (index == kIdStepDown) {
        return current < 2 ? 0 : current - 1;
    }
    if (index == kIdStepUp) {
        return std::min(current + 1, kMaxId);
    }
    return current;
}

int CProtocolTable::BaudAfterProtocol(int baud, int baudCount) {
    if (baudCount <= 0 || baud < baudCount) {
        return baud;
    }
    return baudCount - 1;
}
