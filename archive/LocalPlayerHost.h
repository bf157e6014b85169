#pragma once
// What the local player uses of the main window, the video window and the media workers. The
// playback thread calls most of these: an implementation queues whatever must run on the UI thread
// and never makes the thread wait for it (the UI thread waits for the playback thread when it stops
// the player). Calls marked "UI thread" come from Start and Stop only.

#include "platform/base/WinTypes.h"
#include "protocol/IAudioPlayer.h"
#include "protocol/IChannelDecoder.h"

#include <memory>

class ILocalPlayerHost {
public:
    virtual ~ILocalPlayerHost() = default;

    // ---- media workers
    // UI thread: the decoder of a channel (0-15) for local playback; null when none can be made.
    virtual std::unique_ptr<IChannelDecoder> CreateDecoder(int channel) = 0;
    // The audio player for local playback; null when there is no wave-out device.
    virtual std::unique_ptr<IAudioPlayer> CreateAudioPlayer() = 0;

    // ---- the video window
    // 0 none, 3 local playback.
    virtual void SetPlaySource(int source) = 0;
    // The channels that have pictures; with reset and mask 0 every tile goes back to its own
    // channel. True when the mask changed.
    virtual bool SetAvailableMask(WORD mask, bool reset) = 0;
    virtual void DrawVideoLossExcept(WORD mask) = 0;
    virtual void ClearThirdMask() = 0;
    // The arrange index (0-14) and the page counts of the 15 layouts; with `select` the layout is
    // also selected (the one the play list's channels need).
    virtual void SetPlayLayout(int layout, const DWORD (&pageCounts)[15], bool select) = 0;
    virtual WORD GetVisibleChannelMask() const = 0;
    // The channel (0-15) is shown alone and is the one listened to.
    virtual bool IsSelectedChannel(int channel) const = 0;
    // Repaints the video window once delayMs has passed (0: at once).
    virtual void RepaintVideo(DWORD delayMs) = 0;

    // ---- the main window
    // The split buttons 320-328: all released, then button `pressed` (0-8) pressed (-1: none).
    virtual void SetSplitButtons(int pressed) = 0;
    // The states of the reverse, forward and pause buttons 341, 342, 343.
    virtual void SetPlayButtons(int reverse, int forward, int pause) = 0;
    // The play bar 340-346 without the record button 344.
    virtual void EnablePlayBar(bool enable) = 0;
    // Repaints the play clock's area (250, 630)-(677, 644).
    virtual void InvalidatePlayBar() = 0;
    // UI thread: the 16-tile split, as its split button selects it.
    virtual void SelectSixteenSplit() = 0;
    // UI thread: forgets the visible channel mask the main window remembered.
    virtual void ResetRememberedMask() = 0;
    // Local log entry of local playback (kind 4): 1 start, 2 end.
    virtual void WriteLocalLog(DWORD indexSub) = 0;
    // The main window's audio-closed flag and its selected audio channel (-1 none).
    virtual bool GetAudioClosed() const = 0;
    virtual void SetAudioClosed(bool closed) = 0;
    virtual void SetSelectedAudioChannel(int channel) = 0;
    // UI thread: the play clock (the digit clock in mode 1) is made and destroyed; any thread: its
    // time (seconds since 1970) is set.
    virtual void CreatePlayClock() = 0;
    virtual void SetPlayClockTime(DWORD time) = 0;
    virtual void DestroyPlayClock() = 0;

    // ---- time: the monotonic clock in milliseconds, and pauses
    virtual ULONGLONG TickMs() = 0;
    virtual void SleepMs(DWORD ms) = 0;
};
