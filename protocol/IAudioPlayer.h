#pragma once
// The live or playback audio player as the client feeds it: 512-byte µ-law blocks.

#include "protocol/IWorker.h"

#include "platform/base/WinTypes.h"

#include <cstddef>

class IAudioPlayer : public IWorker {
public:
    virtual bool QueueBlock(const BYTE* block, std::size_t length) = 0;
    virtual void Flush() = 0;
    virtual std::size_t QueuedBlocks() const = 0;
};
