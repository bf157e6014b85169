#pragma once
// Makes the media workers the client owns while live view or playback runs.

#include "protocol/IAudioPlayer.h"
#include "protocol/IChannelDecoder.h"

#include <memory>

class IMediaFactory {
public:
    virtual ~IMediaFactory() = default;
    // source: 1 live, 2 remote playback. Null when no decoder could be made.
    virtual std::unique_ptr<IChannelDecoder> CreateDecoder(int channel, int source) = 0;
    virtual std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int blocksPerChunk) = 0;
};
