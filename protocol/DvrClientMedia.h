#pragma once
// The media workers of a connection, shared by live view and remote playback: one decoder per
// channel and the audio player, and the audio output the headers' audio bit switches on and off.
// Threads: the socket thread and the play clock's thread queue frames and audio to the workers;
// the UI and socket threads make and stop them. The workers are guarded by m_mediaLock: teardown
// takes them out under it before stopping them, so nothing is freed while it is being fed. The
// audio state is atomic.

#include "platform/base/WinTypes.h"
#include "protocol/FrameDescriptor.h"
#include "protocol/FrameHeader.h"
#include "protocol/IAudioPlayer.h"
#include "protocol/IChannelDecoder.h"
#include "protocol/PacketHeader.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <span>

class CDvrClient;

class CDvrClientMedia {
public:
    explicit CDvrClientMedia(CDvrClient& client) : m_client(client) {}
    CDvrClientMedia(const CDvrClientMedia&) = delete;
    CDvrClientMedia& operator=(const CDvrClientMedia&) = delete;
    friend struct DvrClientTestPeer;

    // The audio player's buffer for live view and for playback, published by the main window.
    void SetAudioBuffers(int liveBlocks, int playBlocks);

    // One decoder per channel of the recorder for a source (1 live, 2 playback); running ones stop
    // first.
    void CreateDecoders(int source);
    // The request goes out under the workers' lock and the decoders are made while it travels: its
    // answer's handler takes the lock before it looks at them, so it finds every one in place.
    void CreateDecodersAfter(const std::function<void()>& request, int source);
    // Stops every decoder once it has drained (or stalled).
    void StopDecoders();
    // Teardown: stops and releases every decoder and the audio player without waiting for a drain.
    void ReleaseWorkers();
    // The channels of a LIVE_CHANNEL_INFO mask (bit 16 + n) that have a decoder.
    DWORD StreamedOf(DWORD mask) const;
    bool QueueToDecoder(const FrameDescriptor& descriptor, const PacketHeader& header, std::span<const BYTE> frame);
    void QueueFrameAudio(const FrameInfo& info, std::span<const BYTE> frame, bool live);
    void FlushAudio();

    // Socket thread: the header's audio bits, with what runs (live view, remote playback).
    void ApplyAudioBits(const PacketHeader& header, bool live, bool remotePlay);
    // Audio output started (live: 1 for live view, 0 for playback) or stopped.
    void StartAudioOut(int live);
    void StopAudioOut();
    void StopAudioPlayerDrained();
    // The socket thread has ended: no audio output runs.
    void EndAudioOut();

    bool IsAudioOut() const { return m_bAudioOut.load() != 0; }
    // Bits 0-2 of the last header, and the channel bit of the last frame that carried audio.
    DWORD GetAudioChannel() const { return m_audioChannel.load(); }
    DWORD GetAudioChannelMask() const { return m_audioChannelMask.load(); }
    // The channel the main window listens to (-1 none) and whether audio output is marked stopped.
    int GetListeningChannel() const { return m_listenChannel.load(); }
    void SetListeningChannel(int channel) { m_listenChannel.store(channel); }
    bool IsAudioStoppedMark() const { return m_audioStoppedMark.load(); }
    void ClearAudioStoppedMark() { m_audioStoppedMark.store(false); }

private:
    void CreateDecodersLocked(int source);

    CDvrClient& m_client;
    std::atomic<int> m_audioBufLive{2};
    std::atomic<int> m_audioBufPlay{64};

    mutable std::mutex m_mediaLock;
    std::array<std::unique_ptr<IChannelDecoder>, 16> m_decoders;
    std::unique_ptr<IAudioPlayer> m_audioPlayer;

    std::atomic<DWORD> m_audioChannel{0}; // bits 0-2 of the last header
    std::atomic<bool> m_audioHeaderBit{false};
    std::atomic<DWORD> m_audioChannelMask{0}; // the channel of the last frame that carried audio
    std::atomic<BYTE> m_bAudioOut{0};
    std::atomic<int> m_listenChannel{-1};
    std::atomic<bool> m_audioStoppedMark{false};
};
