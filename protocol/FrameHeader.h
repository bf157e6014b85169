#pragma once
// The 40-byte little-endian header in front of every video frame: in live, playback and backup
// streams and in the .vid files of a backup set. ParseFrameHeader decodes it into FrameInfo.

#include "platform/base/WinTypes.h"
#include "protocol/LeField.h"

#include <cstddef>
#include <span>

constexpr DWORD kFrameSyncWord = 0x000001FF;
constexpr std::size_t kFrameHeaderSize = 40;
// The largest frame the recorder can describe (20-bit length) fits the gathering areas.
constexpr std::size_t kFrameAreaSize = 1244160;
// The audio block of a frame lies this far behind the picture, inside the audio area.
constexpr std::size_t kAudioBlockSkip = 1536;
constexpr std::size_t kAudioBlockSize = 512;
constexpr BYTE kNoAudioChannel = 255;

#pragma pack(push, 1)
struct FrameHeader {
    LeU32 sync;             // 0: kFrameSyncWord
    BYTE unused4[4];        // 4
    BYTE channel_bits;      // 8: channel bits 0-3, audio channel bits 4-7
    BYTE resolution_length; // 9: resolution code bits 0-3, frame length bits 0-3 in bits 4-7
    BYTE length_mid;        // 10: frame length bits 4-11
    BYTE length_high;       // 11: frame length bits 12-19
    LeU32 frame_time;       // 12: seconds since 1970, recorder wall clock
    BYTE unused16[2];       // 16
    BYTE flags18;           // 18: PAL bit 7, frame type bits 5-6, flag bit 4
    BYTE byte19;            // 19
    BYTE video_low;         // 20: video size bits 0-7
    BYTE video_mid;         // 21: video size bits 8-15
    BYTE video_high_audio;  // 22: video size bits 16-19 in bits 0-3, audio value bits 0-3 in bits 4-7
    BYTE audio_high;        // 23: audio value bits 4-11
    BYTE audio_present[2];  // 24: both 0 = the frame carries no audio
    LeU16 milliseconds;     // 26: milliseconds of the frame time
    BYTE byte28;            // 28: key mark bits 0-1 (1 = key picture), value bits 2-6
    BYTE byte29;            // 29: two flags, bits 0 and 1
    BYTE byte30;            // 30: bit 1
    BYTE unused31[9];       // 31
};
#pragma pack(pop)
static_assert(sizeof(FrameHeader) == kFrameHeaderSize);

struct FrameInfo {
    BYTE frame_type = 0;    // byte 18 bits 5-6
    BYTE pal = 0;           // byte 18 bit 7
    BYTE channel = 0;       // 0-15
    BYTE key_mark = 0;      // byte 28 bits 0-1: 1 key picture, 0 or 2 predicted, 3 skipped
    BYTE flag18 = 0;        // byte 18 bit 4
    BYTE flag30 = 0;        // 1 when byte 30 bit 1 is clear
    BYTE audio_channel = 0; // kNoAudioChannel when bytes 24 and 25 are both 0
    DWORD frame_length = 0; // header + picture + audio
    DWORD video_size = 0;   // H.264 access unit length
    DWORD audio_value = 0;  // audio area length
    WORD width = 0;         // from the resolution code
    WORD height = 0;        // from the resolution code and the PAL bit
    DWORD byte19 = 0;       //
    DWORD frame_time = 0;   // seconds
    DWORD milliseconds = 0; // bytes 26-27
    DWORD byte28_value = 0; // byte 28 bits 2-6
    BYTE byte29_bit0 = 0;   //
    BYTE byte29_bit1 = 0;   //
};

void ParseFrameHeader(const FrameHeader& header, FrameInfo& info);
// True for 352 or 360 wide with 240 or 288 lines, and 704 or 720 wide with 240, 288, 480 or 576 lines.
bool IsValidResolution(int width, int height);

enum class FrameCheck {
    Ok,
    Short,     // fewer bytes than a header at the given offset
    NoSync,    // the sync word is missing
    BadLength, // frame length differs from header + picture + audio
    Truncated, // the frame reaches past the gathered bytes
};

// Checks and parses the frame whose header starts at headerOffset of a gathered block: the lengths
// in the header must agree with each other and with the bytes that arrived, so that every later copy
// can be sized from them.
FrameCheck CheckFrame(std::span<const BYTE> block, std::size_t headerOffset, FrameInfo& info);

// The frame's audio block (audio value / 4 bytes at 1536 bytes into the audio area), zero-padded to
// 512 bytes. False when the frame has no audio or the block would not lie inside its audio area.
bool ExtractAudioBlock(std::span<const BYTE> frame, const FrameInfo& info, BYTE (&block)[kAudioBlockSize]);
