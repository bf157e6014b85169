#pragma once
// One queued frame: its descriptor, the message header it arrived with (host order, the channel in
// bits 22-25 of word 1) and the frame bytes. The queue that holds it owns it; the consumer that
// takes it out owns it from then on.

#include "platform/base/WinTypes.h"
#include "protocol/FrameDescriptor.h"

#include <memory>
#include <span>
#include <vector>

struct FrameItem {
    FrameDescriptor descriptor;
    DWORD header[4] = {};
    // Decoder items: the first video size + 72 bytes from the frame header on (zero where the frame
    // is shorter). Writer items: the frame record and the whole frame.
    std::vector<BYTE> data;

    DWORD MessageId() const { return (header[0] & 0xFFFF) >> 7; }
};

// The header's word 1 with the channel written into bits 22-25.
DWORD WithChannelBits(DWORD word1, BYTE channel);

// A decoder item from a checked frame (its header at the start of frame).
std::unique_ptr<FrameItem> MakeDecoderItem(const FrameDescriptor& descriptor, const DWORD (&header)[4],
                                           std::span<const BYTE> frame);
// A writer item from a checked backup block (frame record, then the whole frame).
std::unique_ptr<FrameItem> MakeWriterItem(const FrameDescriptor& descriptor, const DWORD (&header)[4],
                                          std::span<const BYTE> block);
