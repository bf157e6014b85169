#pragma once
// What the video window and its channel decoders use of the main window. The main window implements
// it (every method has a neutral default, so an owner overrides what it has). Calls marked "any
// thread" are made from decoder threads as well and must answer from published state without
// waiting for the UI thread; the others come from the UI thread.

#include "media/AudioOwner.h"
#include "platform/base/WinTypes.h"
#include "protocol/ChannelInfoFile.h"

#include <string>

class CH264Library;
struct StillImageRequest;
struct WebSnapshotRequest;

// The audio player reads the volume and mute of it too (IAudioOwner).
class IVideoOwner : public IAudioOwner {
public:
    virtual ~IVideoOwner() = default;

    // The decoder library loaded at start-up; null when it could not be loaded (no video).
    virtual const CH264Library* GetDecoderLibrary() const { return nullptr; }

    // The split buttons: button `index` (0-8) shown pressed and the others released; -1 releases all.
    virtual void ShowSplitButton(int /*index*/) {}
    // The main window's single-channel command (keep the return flag: the double click saved a view),
    // which ends in CVideoDlg::ShowSingleChannel. False when the owner has none: the window then
    // shows the channel alone itself.
    virtual bool SelectChannel(int /*channel*/, bool /*keepReturn*/) { return false; }
    // The PTZ dome menu pad is open: tile drags and double clicks are ignored.
    virtual bool IsPtzMenuActive() const { return false; }
    // The PTZ channel follows the video window: clear the client's PTZ state when asked, make
    // `channel` the PTZ channel and send PTZ_CHANNEL_REQ in the PTZ dialog's mode.
    virtual void RetargetPtz(int /*channel*/, bool /*clearState*/) {}

    // Any thread: the main window listens to audio (its Audio command is on).
    virtual bool IsAudioListening() const { return false; }
    // Any thread: the audio state of a channel for a source (1 live, 2 remote playback, 3 local):
    // 2 the channel is the selected audio channel, 0 not, -1 no such source.
    virtual int GetChannelAudioState(int /*source*/, int /*channel*/) const { return -1; }

    // Any thread: the local settings the decoders use.
    virtual int GetDateFormat() const { return 0; }
    virtual int GetSaveFormat() const { return 0; }
    virtual WebExportSettings GetWebExport() const { return {}; }

    // Any thread: the local player, when one plays. Its speed step (1..4 forward, -1..-4 backward,
    // 0 paused), the time of its clock, and whether its audio icon may show (mode 3, state 1).
    virtual int GetLocalSpeedStep() const { return 0; }
    virtual DWORD GetLocalPlayClock() const { return 0; }
    virtual bool IsLocalAudioShown() const { return false; }

    // Any thread: the decoder library could not be initialised ("H.264 Decoder Init Error !");
    // shown by the UI thread, never waited for.
    virtual void PostDecoderInitError() {}
    // Any thread: hand-offs to the still-image saver and the web snapshot writer.
    virtual void StartStillImage(StillImageRequest&& /*request*/) {}
    virtual void PutWebSnapshot(WebSnapshotRequest&& /*request*/) {}

    // The 2-second frame-rate tick (the main window's frame-rate hook).
    virtual void OnFrameRateTick() {}
};
