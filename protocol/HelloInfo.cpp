#include "protocol/HelloInfo.h"

#include "protocol/ByteOrder.h"

#include <cstring>

HelloInfo HelloInfo::FromWire(const BYTE* bytes) {
    HelloInfo wire{};
    std::memcpy(&wire, bytes, offsetof(HelloInfo, FirmVer));
    for (int i = 0; i < kFirmwareSlots; ++i) {
        wire.FirmVer[i] = ReadBE32(bytes + offsetof(HelloInfo, FirmVer) + 4 * i);
        wire.FirmName[i][31] = '\0';
    }
    HelloInfo out = wire;
    std::memset(out.FirmName, 0, sizeof out.FirmName);
    std::memset(out.FirmVer, 0, sizeof out.FirmVer);
    struct Move {
        int slot;
        int entry;
    };
    constexpr Move kMoves[] = {{0, 0}, {3, 2}, {4, 5}, {5, 3}, {6, 4}};
    for (const Move& m : kMoves) {
        std::memcpy(out.FirmName[m.slot], wire.FirmName[m.entry], sizeof out.FirmName[m.slot]);
        out.FirmVer[m.slot] = wire.FirmVer[m.entry];
    }
    return out;
}
