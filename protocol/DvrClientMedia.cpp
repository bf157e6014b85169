// The media workers shared by live view and playback: their life cycle, frame and audio intake,
// and the audio output the headers switch.
#include "protocol/DvrClientMedia.h"

#include "protocol/DvrClient.h"
#include "protocol/FrameItem.h"
#include "protocol/Trace.h"

#include <thread>

namespace {

constexpr std::chrono::milliseconds kDrainPoll{10};

// Waits while a consumer still holds more than `left` entries, as long as it keeps taking them: one
// that takes nothing for `limit` is abandoned (its entries are freed when it is stopped).
template <typename Count>
void WaitWhileConsuming(Count count, std::size_t left, std::chrono::milliseconds limit) {
    std::size_t last = count();
    auto lastProgress = std::chrono::steady_clock::now();
    while (last > left) {
        std::this_thread::sleep_for(kDrainPoll);
        const std::size_t now = count();
        if (now < last) {
            lastProgress = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - lastProgress > limit) {
            Trace("consumer stalled with %zu entries\n", now);
            return;
        }
        last = now;
    }
}

} // namespace

void CDvrClientMedia::CreateDecoders(int source) {
    StopDecoders();
    std::lock_guard lock(m_mediaLock);
    CreateDecodersLocked(source);
}

void CDvrClientMedia::CreateDecodersLocked(int source) {
    if (m_client.MediaFactory() == nullptr) {
        return;
    }
    const int n = m_client.Login().ChannelCount();
    for (int ch = 0; ch < n; ++ch) {
        m_decoders[ch] = m_client.MediaFactory()->CreateDecoder(ch, source);
    }
}

void CDvrClientMedia::StopDecoders() {
    std::array<std::unique_ptr<IChannelDecoder>, 16> decoders;
    {
        std::lock_guard lock(m_mediaLock);
        for (std::size_t ch = 0; ch < decoders.size(); ++ch) {
            decoders[ch] = std::move(m_decoders[ch]);
            if (decoders[ch]) {
                decoders[ch]->SetRefuse(true);
            }
        }
    }
    for (auto& decoder : decoders) {
        if (!decoder) {
            continue;
        }
        WaitWhileConsuming([&] { return decoder->QueueLength(); }, 0, m_client.GetPlayTiming().drainLimit);
        decoder->Stop();
        decoder.reset();
    }
}

void CDvrClientMedia::ReleaseWorkers() {
    std::array<std::unique_ptr<IChannelDecoder>, 16> decoders;
    {
        std::lock_guard lock(m_mediaLock);
        decoders.swap(m_decoders);
    }
    for (auto& decoder : decoders) {
        if (decoder) {
            decoder->SetRefuse(true);
            decoder->Stop();
            decoder.reset();
        }
    }
    StopAudioOut();
}

void CDvrClientMedia::StartAudioOut(int live) {
    m_listenChannel.store(-1);
    StopAudioOut();
    if (!m_client.Commands().IsListenSwitchOn() || m_client.MediaFactory() == nullptr) {
        return;
    }
    std::unique_ptr<IAudioPlayer> player =
        m_client.MediaFactory()->CreateAudioPlayer(live != 0 ? m_audioBufLive.load() : m_audioBufPlay.load());
    std::lock_guard lock(m_mediaLock);
    m_audioPlayer = std::move(player);
}

void CDvrClientMedia::StopAudioOut() {
    std::unique_ptr<IAudioPlayer> player;
    {
        std::lock_guard lock(m_mediaLock);
        player = std::move(m_audioPlayer);
    }
    if (player) {
        player->Stop();
    }
}

void CDvrClientMedia::StopAudioPlayerDrained() {
    WaitWhileConsuming(
        [&]() -> std::size_t {
            std::lock_guard lock(m_mediaLock);
            return m_audioPlayer ? m_audioPlayer->QueuedBlocks() : 0;
        },
        0, m_client.GetPlayTiming().drainLimit);
    StopAudioOut();
}

bool CDvrClientMedia::QueueToDecoder(const FrameDescriptor& descriptor, const PacketHeader& header,
                                     std::span<const BYTE> frame) {
    const DWORD words[4] = {header.w0, header.w1, header.w2, header.w3};
    std::unique_ptr<FrameItem> item = MakeDecoderItem(descriptor, words, frame);
    bool queued = false;
    {
        std::lock_guard lock(m_mediaLock);
        IChannelDecoder* decoder = m_decoders[descriptor.channel & 0x0F].get();
        if (decoder != nullptr) {
            queued = decoder->QueueFrame(std::move(item));
        }
    }
    // No yield after the hand-over: on a busy machine each one costs the socket thread its turn, and
    // the recorder's answers wait behind the video it has not read yet.
    return queued;
}

void CDvrClientMedia::QueueFrameAudio(const FrameInfo& info, std::span<const BYTE> frame, bool live) {
    if (info.audio_value == 0 || m_bAudioOut.load() == 0) {
        return;
    }
    const int channel = info.audio_channel == kNoAudioChannel ? -1 : info.audio_channel;
    if (channel >= 0) {
        m_audioChannelMask.store(DWORD(1) << channel);
    }
    const bool selected = channel >= 0 && m_client.Video() != nullptr && m_client.Video()->IsSelectedChannel(channel);
    if (!selected) {
        if (!m_audioStoppedMark.exchange(true)) {
            StopAudioOut();
        }
        return;
    }
    if (m_audioStoppedMark.exchange(false)) {
        StartAudioOut(live ? 1 : 0);
    }
    BYTE block[kAudioBlockSize];
    if (!ExtractAudioBlock(frame, info, block)) {
        return;
    }
    {
        std::lock_guard lock(m_mediaLock);
        if (m_audioPlayer) {
            m_audioPlayer->QueueBlock(block, sizeof(block));
        }
    }
}

void CDvrClientMedia::CreateDecodersAfter(const std::function<void()>& request, int source) {
    std::lock_guard lock(m_mediaLock);
    request();
    CreateDecodersLocked(source);
}

DWORD CDvrClientMedia::StreamedOf(DWORD mask) const {
    DWORD streamed = 0;
    std::lock_guard lock(m_mediaLock);
    for (int ch = 0; ch < 16; ++ch) {
        if ((mask & (DWORD(1) << (16 + ch))) != 0 && m_decoders[ch]) {
            streamed |= DWORD(1) << ch;
        }
    }
    return streamed;
}

void CDvrClientMedia::FlushAudio() {
    std::lock_guard lock(m_mediaLock);
    if (m_audioPlayer) {
        m_audioPlayer->Flush();
    }
}

void CDvrClientMedia::SetAudioBuffers(int liveBlocks, int playBlocks) {
    m_audioBufLive.store(liveBlocks);
    m_audioBufPlay.store(playBlocks);
}

void CDvrClientMedia::ApplyAudioBits(const PacketHeader& header, bool live, bool remotePlay) {
    m_audioChannel.store(header.AudioChannel());
    const bool on = header.AudioOn();
    if (on == m_audioHeaderBit.load()) {
        return;
    }
    if (!live && !remotePlay) {
        return; // seen again on the next header once a stream runs
    }
    m_audioHeaderBit.store(on);
    if (on) {
        StartAudioOut(live ? 1 : 0);
        m_bAudioOut.store(1);
        m_client.Host().ReportEvent(ClientEvent::AudioOutState, 1);
    } else {
        StopAudioOut();
        m_audioChannelMask.store(0);
        m_bAudioOut.store(0);
        m_client.Host().ReportEvent(ClientEvent::AudioOutState, 0);
    }
}

void CDvrClientMedia::EndAudioOut() {
    m_bAudioOut.store(0);
    m_client.Host().ReportEvent(ClientEvent::AudioOutState, 0);
}
