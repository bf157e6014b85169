#pragma once
// The 64-byte descriptor at the head of every queued frame: what the decoders, the download writer
// and the local player read about a frame without parsing its header again. Kept in host order; it
// never leaves the process.

#include "platform/base/WinTypes.h"
#include "protocol/FrameHeader.h"

#include <cstddef>
#include <string_view>

constexpr std::size_t kFrameItemExtra = 72; // item length = video size + this
constexpr std::size_t kFrameLabelSize = 32;

struct FrameDescriptor {
    BYTE channel = 0;                 // 0
    BYTE key_mark = 0;                // 1: 1 = key picture
    BYTE zero = 0;                    // 2
    BYTE audio_channel = 0;           // 3: kNoAudioChannel when none
    DWORD frame_time = 0;             // 4: seconds
    DWORD milliseconds = 0;           // 8
    DWORD item_length = 0;            // 12: frame bytes queued = video size + 72
    WORD width = 0;                   // 16
    WORD height = 0;                  // 18
    DWORD generation = 0;             // 20: live generation, set by the queueing handler
    DWORD video_size = 0;             // 24
    DWORD audio_value = 0;            // 28
    char label[kFrameLabelSize] = {}; // 32: camera name of playback frames, zero-terminated
};
static_assert(sizeof(FrameDescriptor) == 64);
static_assert(offsetof(FrameDescriptor, frame_time) == 4 && offsetof(FrameDescriptor, item_length) == 12);
static_assert(offsetof(FrameDescriptor, width) == 16 && offsetof(FrameDescriptor, generation) == 20);
static_assert(offsetof(FrameDescriptor, audio_value) == 28 && offsetof(FrameDescriptor, label) == 32);

void FillFrameDescriptor(const FrameInfo& info, FrameDescriptor& descriptor);
// Copies a label into the descriptor, cut to fit and always terminated.
void SetFrameLabel(FrameDescriptor& descriptor, std::string_view label);
