#include "protocol/InfoBlocks.h"

#include "protocol/ByteOrder.h"

#include <cstring>

namespace {

std::string SlotText(const char* slot, std::size_t size) {
    return std::string(slot, ::strnlen(slot, size));
}

bool ValidChannel(int channel) {
    return channel >= 0 && channel < kBlockChannels;
}
bool ValidCode(int code) {
    return code >= 0 && code < kProtocolCodes;
}

int NameIndex(const BYTE (&table)[kProtocolCodes][2], int code, int builtInCount) {
    if (!ValidCode(code)) {
        return 0;
    }
    const int index = table[code][0];
    return index < builtInCount ? index : 0;
}

int BaudCount(BYTE count) {
    return count <= kBaudRateCount ? count : kBaudRateCount;
}

} // namespace

bool ApplyDbChange(DbChangeBlock& block, std::span<const BYTE> payload) {
    if (payload.size() != sizeof(DbChangeBlock)) {
        return false;
    }
    std::memcpy(&block, payload.data(), sizeof(block));
    block.value = ReadBE32(payload.data());
    return true;
}

bool IsChannelHidden(const DbChangeBlock& block, int channel) {
    return ValidChannel(channel) && block.hidden[channel] != 0;
}

std::string CameraName(const DbChangeBlock& block, int channel) {
    return ValidChannel(channel) ? SlotText(block.camera_name[channel], sizeof(block.camera_name[0])) : std::string();
}

int ListeningChannel(const DbChangeBlock& block) {
    return block.listen_channel < kBlockChannels ? block.listen_channel : -1;
}

bool ApplySysEtcInfo(SysEtcInfo& block, std::span<const BYTE> payload) {
    std::memset(&block, 0, sizeof(block));
    if (payload.size() != sizeof(SysEtcInfo)) {
        return false;
    }
    std::memcpy(&block, payload.data(), sizeof(block));
    return true;
}

int PtzProtocolNameIndex(const SysEtcInfo& block, int code, int builtInCount) {
    return NameIndex(block.ptz_protocol, code, builtInCount);
}

int KeyboardProtocolNameIndex(const SysEtcInfo& block, int code, int builtInCount) {
    return NameIndex(block.keyboard_protocol, code, builtInCount);
}

int PtzBaudCount(const SysEtcInfo& block, int code) {
    return ValidCode(code) ? BaudCount(block.ptz_protocol[code][1]) : 0;
}

int KeyboardBaudCount(const SysEtcInfo& block, int code) {
    return ValidCode(code) ? BaudCount(block.keyboard_protocol[code][1]) : 0;
}

bool ApplySysEtcInfoEx(SysEtcInfoEx& block, bool& arrived, std::span<const BYTE> payload) {
    std::memset(&block, 0, sizeof(block));
    arrived = false;
    if (payload.size() != sizeof(SysEtcInfoEx)) {
        return false;
    }
    std::memcpy(&block, payload.data(), sizeof(block));
    arrived = true;
    return true;
}

std::string LanguageName(const SysEtcInfoEx& block, int index) {
    return index >= 0 && index < 64 ? SlotText(block.language_name[index], 16) : std::string();
}

std::string PtzProtocolName(const SysEtcInfoEx& block, int code) {
    return ValidCode(code) ? SlotText(block.ptz_protocol_name[code], 16) : std::string();
}

std::string KeyboardProtocolName(const SysEtcInfoEx& block, int code) {
    return ValidCode(code) ? SlotText(block.keyboard_protocol_name[code], 16) : std::string();
}

int PtzBaudCount(const SysEtcInfoEx& block, int code) {
    return ValidCode(code) ? BaudCount(block.ptz_baud_count[code]) : 0;
}

int KeyboardBaudCount(const SysEtcInfoEx& block, int code) {
    return ValidCode(code) ? BaudCount(block.keyboard_baud_count[code]) : 0;
}

bool ParseRecStatus(std::span<const BYTE> payload, RecStatusBlock& status) {
    if (payload.size() != sizeof(RecStatusBlock)) {
        return false;
    }
    status.status = ReadBE32(payload.data());
    status.mode = ReadBE32(payload.data() + 4);
    status.unused[0] = ReadBE32(payload.data() + 8);
    status.unused[1] = ReadBE32(payload.data() + 12);
    return true;
}
