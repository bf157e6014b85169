// Live view: the live requests, the channel information, frame intake into the decoders and the
// audio player, and the media workers' life cycle shared with playback.
#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameItem.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/Trace.h"

int CDvrClient::ChannelCount() const {
    int n = 0;
    {
        std::lock_guard lock(m_infoLock);
        n = m_hello.channel_num;
    }
    return (n == 4 || n == 8 || n == 16) ? n : 16;
}

void CDvrClient::ResetLiveArea() {
    m_liveArea.Reset();
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
    m_media.StopDecoders();
    if (m_seams.video != nullptr) {
        m_seams.video->SetPlaySource(1);
    }
    m_liveClock.store(0); // the clock shows the computer's time until this live view brings one
    BYTE mask[4];
    WriteBE32(mask, 0x0000FFFF);
    m_liveAsked.store(true);
    // The decoders are made while the request travels.
    m_media.CreateDecodersAfter(
        [&] {
            SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof(mask)), mask, sizeof(mask));
            Trace("Send...LIVE_REQ\n");
            m_streamedMask.store(0);
        },
        1);
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
    m_play.ResetStartState();
    m_liveGeneration.store(0);
    m_bLive.store(0);
    m_liveAsked.store(false);
    SendPacket(PacketHeader::Request(Msg::LIVE_STOP, 0), nullptr, 0);
    Trace("Send...LIVE_STOP\n");
    m_media.StopAudioPlayerDrained();
    m_seams.host->PostToWindow(ClientWindow::PtzKeypad, kMsgClose, 0, 0);
    m_seams.host->PostToWindow(ClientWindow::PtzMenu, kMsgClose, 0, 0);
    if (m_commands.IsPtzDialogOpen()) {
        m_commands.ClosePtz();
    }
    m_media.StopDecoders();

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
    m_media.ClearAudioStoppedMark();
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
    m_streamedMask.store(m_media.StreamedOf(mask));
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
        m_media.QueueToDecoder(descriptor, m.header, frame);
    }
    m_media.QueueFrameAudio(info, frame, true);
    m_liveArea.Reset();
    return true;
}

bool CDvrClient::RecvFn_LiveNack(const RecvMessage& m) {
    m_bLive.store(0);
    m_liveAsked.store(false);
    PostRefusal(m);
    m_media.StopAudioOut();
    return true;
}

bool CDvrClient::RecvFn_LiveStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_LiveStopNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}
