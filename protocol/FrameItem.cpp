#include "protocol/FrameItem.h"

#include <algorithm>

DWORD WithChannelBits(DWORD word1, BYTE channel) {
    return (word1 & ~(DWORD(0x0F) << 22)) | (DWORD(channel & 0x0F) << 22);
}

namespace {

std::unique_ptr<FrameItem> MakeItem(const FrameDescriptor& descriptor, const DWORD (&header)[4]) {
    auto item = std::make_unique<FrameItem>();
    item->descriptor = descriptor;
    std::copy(std::begin(header), std::end(header), std::begin(item->header));
    item->header[1] = WithChannelBits(header[1], descriptor.channel);
    return item;
}

} // namespace

std::unique_ptr<FrameItem> MakeDecoderItem(const FrameDescriptor& descriptor, const DWORD (&header)[4],
                                           std::span<const BYTE> frame) {
    auto item = MakeItem(descriptor, header);
    // The frame's bytes are written once; only a frame shorter than its item gets zeros after it.
    const std::size_t n = std::min<std::size_t>(descriptor.item_length, frame.size());
    item->data.reserve(descriptor.item_length);
    item->data.assign(frame.begin(), frame.begin() + std::ptrdiff_t(n));
    item->data.resize(descriptor.item_length);
    return item;
}

std::unique_ptr<FrameItem> MakeWriterItem(const FrameDescriptor& descriptor, const DWORD (&header)[4],
                                          std::span<const BYTE> block) {
    auto item = MakeItem(descriptor, header);
    item->data.assign(block.begin(), block.end());
    return item;
}
