#include "protocol/FrameItem.h"

#include <algorithm>
#include <cstring>

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
    item->data.assign(descriptor.item_length, 0);
    const std::size_t n = std::min<std::size_t>(descriptor.item_length, frame.size());
    if (n > 0) {
        std::memcpy(item->data.data(), frame.data(), n);
    }
    return item;
}

std::unique_ptr<FrameItem> MakeWriterItem(const FrameDescriptor& descriptor, const DWORD (&header)[4],
                                          std::span<const BYTE> block) {
    auto item = MakeItem(descriptor, header);
    item->data.assign(block.begin(), block.end());
    return item;
}
