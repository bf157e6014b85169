#include "protocol/FrameHeader.h"

#include <cstring>

namespace {

struct Resolution {
    WORD width;
    WORD height;
};

Resolution ResolutionOf(BYTE code, bool pal) {
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 8:
        return {704, WORD(pal ? 576 : 480)};
    case 5:
    case 9:
        return {704, WORD(pal ? 288 : 240)};
    default:
        return {352, WORD(pal ? 288 : 240)};
    }
}

} // namespace

void ParseFrameHeader(const FrameHeader& header, FrameInfo& info) {
    info = FrameInfo{};
    info.frame_type = BYTE((header.flags18 >> 5) & 0x03);
    info.pal = BYTE((header.flags18 >> 7) & 0x01);
    info.channel = BYTE(header.channel_bits & 0x0F);
    info.key_mark = BYTE(header.byte28 & 0x03);
    info.flag18 = BYTE((header.flags18 >> 4) & 0x01);
    info.flag30 = (header.byte30 & 0x02) == 0 ? 1 : 0;
    const bool hasAudio = header.audio_present[0] != 0 || header.audio_present[1] != 0;
    info.audio_channel = hasAudio ? BYTE(header.channel_bits >> 4) : kNoAudioChannel;
    info.frame_length =
        DWORD(header.resolution_length >> 4) | (DWORD(header.length_mid) << 4) | (DWORD(header.length_high) << 12);
    info.video_size =
        DWORD(header.video_low) | (DWORD(header.video_mid) << 8) | (DWORD(header.video_high_audio & 0x0F) << 16);
    info.audio_value = DWORD(header.video_high_audio >> 4) | (DWORD(header.audio_high) << 4);
    const Resolution resolution = ResolutionOf(BYTE(header.resolution_length & 0x0F), info.pal != 0);
    info.width = resolution.width;
    info.height = resolution.height;
    info.byte19 = header.byte19;
    info.frame_time = header.frame_time;
    info.milliseconds = header.milliseconds;
    info.byte28_value = DWORD((header.byte28 >> 2) & 0x1F);
    info.byte29_bit0 = BYTE(header.byte29 & 0x01);
    info.byte29_bit1 = BYTE((header.byte29 >> 1) & 0x01);
}

bool IsValidResolution(int width, int height) {
    if (width == 352 || width == 360) {
        return height == 240 || height == 288;
    }
    if (width == 704 || width == 720) {
        return height == 240 || height == 288 || height == 480 || height == 576;
    }
    return false;
}

FrameCheck CheckFrame(std::span<const BYTE> block, std::size_t headerOffset, FrameInfo& info) {
    if (block.size() < headerOffset || block.size() - headerOffset < kFrameHeaderSize) {
        return FrameCheck::Short;
    }
    FrameHeader header;
    std::memcpy(&header, block.data() + headerOffset, sizeof(header));
    if (header.sync != kFrameSyncWord) {
        return FrameCheck::NoSync;
    }
    ParseFrameHeader(header, info);
    if (info.frame_length != kFrameHeaderSize + info.video_size + info.audio_value) {
        return FrameCheck::BadLength;
    }
    if (block.size() - headerOffset < info.frame_length) {
        return FrameCheck::Truncated;
    }
    return FrameCheck::Ok;
}

bool ExtractAudioBlock(std::span<const BYTE> frame, const FrameInfo& info, BYTE (&block)[kAudioBlockSize]) {
    const std::size_t length = info.audio_value / 4;
    if (info.audio_value == 0 || length == 0 || kAudioBlockSkip + length > info.audio_value) {
        return false;
    }
    const std::size_t start = kFrameHeaderSize + info.video_size + kAudioBlockSkip;
    const std::size_t copied = length < kAudioBlockSize ? length : kAudioBlockSize;
    if (start > frame.size() || frame.size() - start < copied) {
        return false;
    }
    std::memset(block, 0, sizeof(block));
    std::memcpy(block, frame.data() + start, copied);
    return true;
}
