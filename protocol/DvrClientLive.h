#pragma once
// Live view: the live requests, the channel information and frame intake into the media workers.
// Threads: the UI thread asks for live view and stops it (the socket thread too, at login and when
// playback starts); the socket thread handles the channel information and the frames (the
// gathering area is its own). The state is atomic; the web export settings are under m_settingsLock.

#include "platform/base/WinTypes.h"
#include "protocol/ChannelInfoFile.h"
#include "protocol/FrameHeader.h"
#include "protocol/ReassemblyArea.h"
#include "protocol/RecvMessage.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

class CDvrClient;

class CDvrClientLive {
public:
    explicit CDvrClientLive(CDvrClient& client) : m_client(client) {}
    CDvrClientLive(const CDvrClientLive&) = delete;
    CDvrClientLive& operator=(const CDvrClientLive&) = delete;
    friend struct DvrClientTestPeer;

    void SendLiveReq();
    // Live view already runs: LIVE_REQ with the channels the video window now shows (bit n = channel
    // n + 1); the decoders and the layout stay as they are.
    void SendLiveMask(DWORD visibleMask);
    void SendLiveStop();
    bool IsLive() const { return m_bLive.load() != 0; }
    // LIVE_REQ was sent and neither answered nor stopped: a quit must stop it like running live view.
    bool IsLiveAsked() const { return m_liveAsked.load(); }
    // The connection has ended: nothing is asked for any more.
    void ForgetLiveAsked() { m_liveAsked.store(false); }

    DWORD GetAvailableMask() const { return m_availableMask.load(); }
    DWORD GetStreamedMask() const { return m_streamedMask.load(); }
    // Channels below the recorder's count that the last LIVE_CHANNEL_INFO marked without camera.
    DWORD GetVideoLossMask() const;
    // The recorder's clock of the last live frame; 0 until a frame of this live view has brought one.
    DWORD GetLiveClock() const { return m_liveClock.load(); }
    // Counts the LIVE_CHANNEL_INFO messages: a new value means a new set of streamed channels.
    DWORD GetLiveGeneration() const { return m_liveGeneration.load(); }
    void ResetLiveGeneration() { m_liveGeneration.store(0); }
    // A new set of channels is coming: the generation counts on and nothing is available.
    void ResetAvailableChannels();
    // Playback's channel information resets the live gathering area (as the recorder documents it).
    void ResetLiveArea() { m_liveArea.Reset(); }
    // The video window's layout for the recorder's channels: 4, 9 or 16 tiles.
    void LayoutByChannelCount();

    // Published by the main window (UI thread).
    void SetLocalPlayerActive(bool active) { m_localPlayerActive.store(active); }
    void SetWebExport(const WebExportSettings& web);

    // ---- Handlers (socket thread)
    bool RecvFn_LiveChannelInfo(const RecvMessage& m);
    bool RecvFn_LiveData(const RecvMessage& m);
    bool RecvFn_LiveNack(const RecvMessage& m);
    bool RecvFn_LiveStopAck(const RecvMessage& m);
    bool RecvFn_LiveStopNack(const RecvMessage& m);

private:
    void WriteChannelInfo(DWORD mask);
    // Live data came without completing a frame: true once that has lasted the message deadline.
    bool LiveFrameUnfinishedTooLong();

    CDvrClient& m_client;
    std::atomic<BYTE> m_bLive{0};
    std::atomic<bool> m_liveAsked{false}; // set by SendLiveReq, cleared by its answer or a stop
    std::atomic<DWORD> m_liveGeneration{0};
    std::atomic<DWORD> m_availableMask{0};
    std::atomic<DWORD> m_streamedMask{0};
    std::atomic<DWORD> m_liveClock{0};
    std::atomic<bool> m_localPlayerActive{false};
    // Socket thread: the frame being gathered, and since when live data has come without making one.
    CReassemblyArea m_liveArea{kFrameAreaSize};
    std::optional<std::chrono::steady_clock::time_point> m_liveUnfinishedSince;
    mutable std::mutex m_settingsLock;
    WebExportSettings m_web;
};
