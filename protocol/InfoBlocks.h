#pragma once
// The small information blocks the recorder pushes at any time. Each is taken only at its exact
// size; names inside them are read no further than their slots, and the numbers the setup pages use
// as table indexes are checked here before anyone indexes with them.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <span>
#include <string>

constexpr int kBlockChannels = 16;
// Baud rates the PTZ and keyboard pages know: 2400 to 76800 bit/s.
constexpr int kBaudRateCount = 6;
constexpr int kProtocolCodes = 64;

// DB_CHANGE: the logged-in account's channel view and the camera names.
struct DbChangeBlock {
    DWORD value;                          // 0: big-endian on the wire, host order once applied
    BYTE hidden[kBlockChannels];          // 4: 1 = hidden for the logged-in account
    char camera_name[kBlockChannels][32]; // 20
    BYTE reserved_532[8];                 // 532
    BYTE listen_channel;                  // 540: the channel selected for listening
    BYTE reserved_541[55];                // 541
};
static_assert(sizeof(DbChangeBlock) == 596);
static_assert(offsetof(DbChangeBlock, camera_name) == 20 && offsetof(DbChangeBlock, listen_channel) == 540);

// SYS_ETC_INFO: language codes and the protocol tables that index the pages' built-in names.
struct SysEtcInfo {
    BYTE language_code[64];                    // 0: code of the recorder's i-th language, 0 none
    BYTE ptz_protocol[kProtocolCodes][2];      // 64: built-in name index (0 none), baud count
    BYTE keyboard_protocol[kProtocolCodes][2]; // 192
};
static_assert(sizeof(SysEtcInfo) == 320);

// SYS_ETC_INFO_EX: the recorder's own names, used instead of the built-in ones once arrived.
struct SysEtcInfoEx {
    char language_name[64][16];                      // 0
    char ptz_protocol_name[kProtocolCodes][16];      // 1024
    BYTE ptz_baud_count[kProtocolCodes];             // 2048
    char keyboard_protocol_name[kProtocolCodes][16]; // 2112
    BYTE keyboard_baud_count[kProtocolCodes];        // 3136
};
static_assert(sizeof(SysEtcInfoEx) == 3200);
static_assert(offsetof(SysEtcInfoEx, keyboard_protocol_name) == 2112);

// REC_STATUS, four u32 big-endian on the wire (host order here).
struct RecStatusBlock {
    DWORD status;
    DWORD mode; // below 6 = recording
    DWORD unused[2];
};
static_assert(sizeof(RecStatusBlock) == 16);

// Exactly 596 bytes: copied, the first u32 converted. Otherwise false and the block unchanged.
bool ApplyDbChange(DbChangeBlock& block, std::span<const BYTE> payload);
bool IsChannelHidden(const DbChangeBlock& block, int channel);
std::string CameraName(const DbChangeBlock& block, int channel);
// The listening channel 0-15, or -1 when the byte names no channel.
int ListeningChannel(const DbChangeBlock& block);

// The block is cleared first; exactly 320 bytes are then copied. False for any other size.
bool ApplySysEtcInfo(SysEtcInfo& block, std::span<const BYTE> payload);
// The built-in name index of a protocol code, 0 (no such protocol) when the code or the index is
// outside the page's table of builtInCount names.
int PtzProtocolNameIndex(const SysEtcInfo& block, int code, int builtInCount);
int KeyboardProtocolNameIndex(const SysEtcInfo& block, int code, int builtInCount);
// Baud counts, held to the rates the pages know.
int PtzBaudCount(const SysEtcInfo& block, int code);
int KeyboardBaudCount(const SysEtcInfo& block, int code);

// The block and its arrival flag are cleared together; exactly 3200 bytes are then copied and the
// flag set. False for any other size.
bool ApplySysEtcInfoEx(SysEtcInfoEx& block, bool& arrived, std::span<const BYTE> payload);
std::string LanguageName(const SysEtcInfoEx& block, int index);
std::string PtzProtocolName(const SysEtcInfoEx& block, int code);
std::string KeyboardProtocolName(const SysEtcInfoEx& block, int code);
int PtzBaudCount(const SysEtcInfoEx& block, int code);
int KeyboardBaudCount(const SysEtcInfoEx& block, int code);

// Exactly 16 bytes: the four words in host order. False otherwise.
bool ParseRecStatus(std::span<const BYTE> payload, RecStatusBlock& status);
inline bool IsRecordingMode(const RecStatusBlock& status) {
    return status.mode < 6;
}
