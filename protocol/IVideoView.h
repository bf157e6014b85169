#pragma once
// What the recorder client needs of the video window. Calls from worker threads are queued to the UI
// thread by the implementation; the queries answer from state the video window publishes.

#include "platform/base/WinTypes.h"

class IVideoView {
public:
    virtual ~IVideoView() = default;

    // The channels that have a camera (bit i = channel i + 1); reset also rebuilds the tile map. Redraws.
    virtual void SetAvailableMask(DWORD mask, bool reset) = 0;
    // The split layout by tile count (1, 4, 6, 7, 8, 9, 10, 13 or 16).
    virtual void SetLayout(int tiles) = 0;
    // Whether a channel is hidden for the logged-in account.
    virtual void SetChannelHidden(int channel, bool hidden) = 0;
    virtual void Redraw() = 0;
    virtual void ExitFullScreen() = 0;
    // 0 none, 1 live, 2 remote playback, 3 local playback.
    virtual void SetPlaySource(int source) = 0;
    // The blank picture in every visible tile whose channel is not in `mask`, until its next picture
    // (a window without still pictures has nothing to do).
    virtual void DrawBlankExcept(DWORD /*mask*/) {}

    // True when `channel` (0-15) is shown alone in single view and is the one listened to.
    virtual bool IsSelectedChannel(int channel) const = 0;
    // The channels shown in the current layout (bit i = channel i + 1).
    virtual DWORD GetVisibleChannelMask() const = 0;
};
