#pragma once
// Makes the media workers the recorder client keeps while live view or playback runs: one channel
// decoder per channel, all drawing into the one video window.

#include "protocol/IMediaFactory.h"

#include <memory>

class IDecoderHost;
class IPictureDecoder;
class IVideoOwner;

class CMediaFactory final : public IMediaFactory {
public:
    // Decoders go through the owner's decoder library (none without an owner or library).
    CMediaFactory(IDecoderHost& host, IVideoOwner* owner);
    ~CMediaFactory() override;

    std::unique_ptr<IChannelDecoder> CreateDecoder(int channel, int source) override;
    // The live audio player, at the owner's volume, on the sound device the environment names.
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int blocksPerChunk) override;

    // Tests: decoders decode with this one instead (it must outlive them); null goes back to the
    // library.
    void SetPictureDecoder(IPictureDecoder* decoder) { m_override = decoder; }

private:
    IDecoderHost& m_host;
    IVideoOwner* m_owner;
    std::unique_ptr<IPictureDecoder> m_library;
    IPictureDecoder* m_override = nullptr;
};
