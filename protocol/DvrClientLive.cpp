// Live view: the live requests, the channel information, frame intake into the decoders and the
// audio player, and the media workers' life cycle shared with playback.
#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameItem.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/Trace.h"

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

int CDvrClient::ChannelCount() const {
    int n = 0;
    {
        std::lock_guard lock(m_infoLock);
        n = m_hello.channel_num;
    }
    return (n == 4 || n == 8 || n == 16) ? n : 16;
}

void CDvrClient::ResetAvailableChannels() {
    m_liveGeneration.fetch_add(1);
    m_availableMask.store(0);
    if (m_seams.video != nullptr) {
        m_seams.video->SetAvailableMask(0, false);
    }
}

DWORD CDvrClient::GetVideoLossMask() const {
    const DWORD all = (DWORD(1) << ChannelCount()) - 1;
    return all & ~m_availableMask.load();
}

void CDvrClient::SetAudioBuffers(int liveBlocks, int playBlocks) {
    m_audioBufLive.store(liveBlocks);
    m_audioBufPlay.store(playBlocks);
}

void CDvrClient::SetWebExport(const WebExportSettings& web) {
    std::lock_guard lock(m_settingsLock);
    m_web = web;
}

void CDvrClient::WriteChannelInfo(DWORD mask) {
    WebExportSettings web;
    {
        std::lock_guard lock(m_settingsLock);
        web = m_web;
    }
    if (web.active) {
        WriteChannelInfoFile(web, mask);
    }
}

void CDvrClient::LayoutByChannelCount() {
    const int n = ChannelCount();
    const int tiles = n <= 4 ? 4 : (n <= 8 ? 9 : 16);
    m_seams.host->ReportEvent(ClientEvent::ChannelLayout, tiles);
    if (m_seams.video != nullptr) {
        m_seams.video->SetLayout(tiles);
    }
}

void CDvrClient::CreateDecoders(int source) {
    StopDecoders();
    std::lock_guard lock(m_mediaLock);
    CreateDecodersLocked(source);
}

void CDvrClient::CreateDecodersLocked(int source) {
    if (m_seams.media == nullptr) {
        return;
    }
    const int n = ChannelCount();
    for (int ch = 0; ch < n; ++ch) {
        m_decoders[ch] = m_seams.media->CreateDecoder(ch, source);
    }
}

void CDvrClient::StopDecoders() {
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
        WaitWhileConsuming([&] { return decoder->QueueLength(); }, 0, m_playTiming.drainLimit);
        decoder->Stop();
        decoder.reset();
    }
}

void CDvrClient::ReleaseMediaWorkers() {
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

void CDvrClient::StartAudioOut(int live) {
    m_listenChannel.store(-1);
    StopAudioOut();
    if (!m_commands.IsListenSwitchOn() || m_seams.media == nullptr) {
        return;
    }
    std::unique_ptr<IAudioPlayer> player =
        m_seams.media->CreateAudioPlayer(live != 0 ? m_audioBufLive.load() : m_audioBufPlay.load());
    std::lock_guard lock(m_mediaLock);
    m_audioPlayer = std::move(player);
}

void CDvrClient::StopAudioOut() {
    std::unique_ptr<IAudioPlayer> player;
    {
        std::lock_guard lock(m_mediaLock);
        player = std::move(m_audioPlayer);
    }
    if (player) {
        player->Stop();
    }
}

void CDvrClient::StopAudioPlayerDrained() {
    WaitWhileConsuming(
        [&]() -> std::size_t {
            std::lock_guard lock(m_mediaLock);
            return m_audioPlayer ? m_audioPlayer->QueuedBlocks() : 0;
        },
        0, m_playTiming.drainLimit);
    StopAudioOut();
}

bool CDvrClient::QueueToDecoder(const FrameDescriptor& descriptor, const PacketHeader& header,
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

void CDvrClient::QueueFrameAudio(const FrameInfo& info, std::span<const BYTE> frame, bool live) {
    if (info.audio_value == 0 || m_bAudioOut.load() == 0) {
        return;
    }
    const int channel = info.audio_channel == kNoAudioChannel ? -1 : info.audio_channel;
    if (channel >= 0) {
        m_audioChannelMask.store(DWORD(1) << channel);
    }
    const bool selected = channel >= 0 && m_seams.video != nullptr && m_seams.video->IsSelectedChannel(channel);
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

void CDvrClient::SendLiveReq() {
    if (m_localPlayerActive.load()) {
        return;
    }
    m_liveGeneration.store(0);
    m_availableMask.store(0);
    if (m_seams.video != nullptr) {
        m_seams.video->SetAvailableMask(0, false);
    }
    LayoutByChannelCount();
    StopDecoders();
    if (m_seams.video != nullptr) {
        m_seams.video->SetPlaySource(1);
    }
    m_liveClock.store(0); // the clock shows the computer's time until this live view brings one
    BYTE mask[4];
    WriteBE32(mask, 0x0000FFFF);
    m_liveAsked.store(true);
    {
        // The decoders are made while the request travels. The answer's handler takes this lock
        // before it looks at them, so it finds every one in place.
        std::lock_guard lock(m_mediaLock);
        SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof(mask)), mask, sizeof(mask));
        Trace("Send...LIVE_REQ\n");
        m_streamedMask.store(0);
        CreateDecodersLocked(1);
    }
    m_seams.host->ReportEvent(ClientEvent::LiveState, 1);
}

void CDvrClient::SendLiveMask(DWORD visibleMask) {
    if (m_bLive.load() == 0) {
        return;
    }
    BYTE mask[4];
    WriteBE32(mask, visibleMask);
    SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof(mask)), mask, sizeof(mask));
    Trace("Send...LIVE_REQ\n");
}

void CDvrClient::SendLiveStop() {
    WriteChannelInfo(0);
    m_startState.store(0);
    m_liveGeneration.store(0);
    m_bLive.store(0);
    m_liveAsked.store(false);
    SendPacket(PacketHeader::Request(Msg::LIVE_STOP, 0), nullptr, 0);
    Trace("Send...LIVE_STOP\n");
    StopAudioPlayerDrained();
    m_seams.host->PostToWindow(ClientWindow::PtzKeypad, kMsgClose, 0, 0);
    m_seams.host->PostToWindow(ClientWindow::PtzMenu, kMsgClose, 0, 0);
    if (m_commands.IsPtzDialogOpen()) {
        m_commands.ClosePtz();
    }
    StopDecoders();

    m_seams.host->ReportEvent(ClientEvent::LiveState, 0);
    m_availableMask.store(0);
    m_streamedMask.store(0);
    if (m_seams.video != nullptr) {
        m_seams.video->SetAvailableMask(0, false);
        m_seams.video->SetPlaySource(0);
    }
    m_seams.host->ReportEvent(ClientEvent::ChannelLayout, 16);
    if (m_seams.video != nullptr) {
        m_seams.video->SetLayout(16);
    }
    m_audioStoppedMark.store(false);
}

bool CDvrClient::RecvFn_LiveChannelInfo(const RecvMessage& m) {
    if (m.length < 4) {
        // Without its mask live view can never start: every later one is as short, and the
        // operator would watch empty tiles with no word. The connection ends as an unreadable
        // message ends it.
        Trace("RecvFn_LiveChannelInfo... size %u\n", unsigned(m.length));
        return false;
    }
    DWORD mask = ReadBE32(m.data);
    m_liveGeneration.fetch_add(1);
    m_liveArea.Reset();
    m_liveUnfinishedSince.reset();
    mask &= ~m_setup.HiddenChannelMask();
    DWORD streamed = 0;
    {
        std::lock_guard lock(m_mediaLock);
        for (int ch = 0; ch < 16; ++ch) {
            if ((mask & (DWORD(1) << (16 + ch))) != 0 && m_decoders[ch]) {
                streamed |= DWORD(1) << ch;
            }
        }
    }
    m_streamedMask.store(streamed);
    const DWORD available = mask & 0xFFFF;
    m_availableMask.store(available);
    if (m_seams.video != nullptr) {
        m_seams.video->SetAvailableMask(available, false);
    }
    m_bLive.store(1);
    m_liveAsked.store(false);
    WriteChannelInfo(available);
    return true;
}

bool CDvrClient::LiveFrameUnfinishedTooLong() {
    const auto now = std::chrono::steady_clock::now();
    if (!m_liveUnfinishedSince) {
        m_liveUnfinishedSince = now;
        return false;
    }
    return now - *m_liveUnfinishedSince >= m_timing.recvDeadline;
}

bool CDvrClient::RecvFn_LiveData(const RecvMessage& m) {
    if (m_bLive.load() == 0) {
        m_liveArea.Reset();
        m_liveUnfinishedSince.reset();
        return true;
    }
    m_liveArea.Append({m.data, m.length});
    if (!m_liveArea.IsComplete()) {
        // The area is full and the frame's last fragment has not come: it can never be whole.
        Trace("RecvFn_LiveData... no last fragment within %zu bytes\n", m_liveArea.GetCapacity());
        return false;
    }
    if (!m.header.IsLastFragment()) {
        // A frame must be whole within the deadline of any message.
        if (LiveFrameUnfinishedTooLong()) {
            Trace("RecvFn_LiveData... no whole frame\n");
            return false;
        }
        return true;
    }
    const std::span<const BYTE> block = m_liveArea.Block();
    FrameInfo info;
    const FrameCheck check = CheckFrame(block, 0, info);
    if (check != FrameCheck::Ok) {
        Trace("%04x\n", block.size() >= 4 ? unsigned(ReadLE32(block.data())) : 0u);
        m_liveArea.Reset();
        // One damaged frame is dropped; frames that never match their own lengths end the connection.
        if (LiveFrameUnfinishedTooLong()) {
            Trace("RecvFn_LiveData... no whole frame\n");
            return false;
        }
        return true;
    }
    m_liveUnfinishedSince.reset();
    FrameDescriptor descriptor;
    FillFrameDescriptor(info, descriptor);
    descriptor.generation = m_liveGeneration.load();
    m_liveClock.store(m.header.w3);
    const std::span<const BYTE> frame = block.first(info.frame_length);
    if (info.video_size != 0) {
        QueueToDecoder(descriptor, m.header, frame);
    }
    QueueFrameAudio(info, frame, true);
    m_liveArea.Reset();
    return true;
}

bool CDvrClient::RecvFn_LiveNack(const RecvMessage& m) {
    m_bLive.store(0);
    m_liveAsked.store(false);
    PostRefusal(m);
    StopAudioOut();
    return true;
}

bool CDvrClient::RecvFn_LiveStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_LiveStopNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}
