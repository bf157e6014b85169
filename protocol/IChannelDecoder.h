#pragma once
// One channel's decoder as the client feeds it: queue items (frame descriptor, packet header, frame
// bytes) go in on the socket thread; the decoder consumes them on its own thread.

#include "protocol/IWorker.h"

#include "platform/base/WinTypes.h"
#include "protocol/FrameItem.h"

#include <cstddef>
#include <memory>

class IChannelDecoder : public IWorker {
public:
    // Takes the item; false when the decoder refuses frames (tearing down) or its queue is full.
    virtual bool QueueFrame(std::unique_ptr<FrameItem> item) = 0;
    // While set, frames are refused (set before the decoder is stopped).
    virtual void SetRefuse(bool refuse) = 0;
    // Frames waiting in the decoder's queue.
    virtual std::size_t QueueLength() const = 0;
};
