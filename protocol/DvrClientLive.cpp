// Live view: the live requests, the channel information, frame intake into the decoders and the
// media workers.
#include "protocol/DvrClientLive.h"

#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameItem.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/Trace.h"

void CDvrClientLive::ResetAvailableChannels() {
    m_liveGeneration.fetch_add(1);
    m_availableMask.store(0);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetAvailableMask(0, false);
    }
}

DWORD CDvrClientLive::GetVideoLossMask() const {
    const DWORD all = (DWORD(1) << m_client.Login().ChannelCount()) - 1;
    return all & ~m_availableMask.load();
}

void CDvrClientLive::SetWebExport(const WebExportSettings& web) {
    std::lock_guard lock(m_settingsLock);
    m_web = web;
}

void CDvrClientLive::WriteChannelInfo(DWORD mask) {
    WebExportSettings web;
    {
        std::lock_guard lock(m_settingsLock);
        web = m_web;
    }
    if (web.active) {
        WriteChannelInfoFile(web, mask);
    }
}

void CDvrClientLive::LayoutByChannelCount() {
    const int n = m_client.Login().ChannelCount();
    const int tiles = n <= 4 ? 4 : (n <= 8 ? 9 : 16);
    m_client.Host().ReportEvent(ClientEvent::ChannelLayout, tiles);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetLayout(tiles);
    }
}

void CDvrClientLive::SendLiveReq() {
    if (m_localPlayerActive.load()) {
        return;
    }
    m_liveGeneration.store(0);
    m_availableMask.store(0);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetAvailableMask(0, false);
    }
    LayoutByChannelCount();
    m_client.Media().StopDecoders();
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetPlaySource(1);
    }
    m_liveClock.store(0); // the clock shows the computer's time until this live view brings one
    BYTE mask[4];
    WriteBE32(mask, 0x0000FFFF);
    m_liveAsked.store(true);
    // The decoders are made while the request travels.
    m_client.Media().CreateDecodersAfter(
        [&] {
            m_client.SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof(mask)), mask, sizeof(mask));
            Trace("Send...LIVE_REQ\n");
            m_streamedMask.store(0);
        },
        1);
    m_client.Host().ReportEvent(ClientEvent::LiveState, 1);
}

void CDvrClientLive::SendLiveMask(DWORD visibleMask) {
    if (m_bLive.load() == 0) {
        return;
    }
    BYTE mask[4];
    WriteBE32(mask, visibleMask);
    m_client.SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof(mask)), mask, sizeof(mask));
    Trace("Send...LIVE_REQ\n");
}

void CDvrClientLive::SendLiveStop() {
    WriteChannelInfo(0);
    m_client.Play().ResetStartState();
    m_liveGeneration.store(0);
    m_bLive.store(0);
    m_liveAsked.store(false);
    m_client.SendPacket(PacketHeader::Request(Msg::LIVE_STOP, 0), nullptr, 0);
    Trace("Send...LIVE_STOP\n");
    m_client.Media().StopAudioPlayerDrained();
    m_client.Host().PostToWindow(ClientWindow::PtzKeypad, kMsgClose, 0, 0);
    m_client.Host().PostToWindow(ClientWindow::PtzMenu, kMsgClose, 0, 0);
    if (m_client.Commands().IsPtzDialogOpen()) {
        m_client.Commands().ClosePtz();
    }
    m_client.Media().StopDecoders();

    m_client.Host().ReportEvent(ClientEvent::LiveState, 0);
    m_availableMask.store(0);
    m_streamedMask.store(0);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetAvailableMask(0, false);
        m_client.Video()->SetPlaySource(0);
    }
    m_client.Host().ReportEvent(ClientEvent::ChannelLayout, 16);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetLayout(16);
    }
    m_client.Media().ClearAudioStoppedMark();
}

bool CDvrClientLive::RecvFn_LiveChannelInfo(const RecvMessage& m) {
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
    mask &= ~m_client.Setup().HiddenChannelMask();
    m_streamedMask.store(m_client.Media().StreamedOf(mask));
    const DWORD available = mask & 0xFFFF;
    m_availableMask.store(available);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetAvailableMask(available, false);
    }
    m_bLive.store(1);
    m_liveAsked.store(false);
    WriteChannelInfo(available);
    return true;
}

bool CDvrClientLive::LiveFrameUnfinishedTooLong() {
    const auto now = std::chrono::steady_clock::now();
    if (!m_liveUnfinishedSince) {
        m_liveUnfinishedSince = now;
        return false;
    }
    return now - *m_liveUnfinishedSince >= m_client.GetTiming().recvDeadline;
}

bool CDvrClientLive::RecvFn_LiveData(const RecvMessage& m) {
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
        m_client.Media().QueueToDecoder(descriptor, m.header, frame);
    }
    m_client.Media().QueueFrameAudio(info, frame, true);
    m_liveArea.Reset();
    return true;
}

bool CDvrClientLive::RecvFn_LiveNack(const RecvMessage& m) {
    m_bLive.store(0);
    m_liveAsked.store(false);
    m_client.PostRefusal(m);
    m_client.Media().StopAudioOut();
    return true;
}

bool CDvrClientLive::RecvFn_LiveStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClientLive::RecvFn_LiveStopNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}
