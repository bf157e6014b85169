#include "protocol/FrameDescriptor.h"

#include <cstring>

void FillFrameDescriptor(const FrameInfo& info, FrameDescriptor& descriptor) {
    descriptor = FrameDescriptor{};
    descriptor.channel = info.channel;
    descriptor.key_mark = info.key_mark;
    descriptor.audio_channel = info.audio_channel;
    descriptor.frame_time = info.frame_time;
    descriptor.milliseconds = info.milliseconds;
    descriptor.item_length = info.video_size + DWORD(kFrameItemExtra);
    descriptor.width = info.width;
    descriptor.height = info.height;
    descriptor.video_size = info.video_size;
    descriptor.audio_value = info.audio_value;
}

void SetFrameLabel(FrameDescriptor& descriptor, std::string_view label) {
    std::memset(descriptor.label, 0, sizeof(descriptor.label));
    const std::size_t n = label.size() < sizeof(descriptor.label) ? label.size() : sizeof(descriptor.label) - 1;
    std::memcpy(descriptor.label, label.data(), n);
}
