#include "media/MediaFactory.h"

#include "media/AudioPlayer.h"
#include "media/ChannelDecoder.h"
#include "media/PictureDecoder.h"
#include "media/VideoOwner.h"

CMediaFactory::CMediaFactory(IDecoderHost& host, IVideoOwner* owner)
    : m_host(host), m_owner(owner),
      m_library(std::make_unique<CLibraryPictureDecoder>(owner != nullptr ? owner->GetDecoderLibrary() : nullptr)) {}

CMediaFactory::~CMediaFactory() = default;

std::unique_ptr<IChannelDecoder> CMediaFactory::CreateDecoder(int channel, int source) {
    if (channel < 0 || channel >= 16) {
        return nullptr;
    }
    IPictureDecoder& decoder = m_override != nullptr ? *m_override : *m_library;
    return std::make_unique<CChannelDecoder>(m_host, decoder, channel, source);
}

std::unique_ptr<IAudioPlayer> CMediaFactory::CreateAudioPlayer(int blocksPerChunk) {
    return std::make_unique<CAudioPlayer>(m_owner, blocksPerChunk);
}
