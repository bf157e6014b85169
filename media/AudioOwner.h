#pragma once
// What the live audio player reads of the main window when its device opens: the volume slider's
// value and the mute flag. Called on the thread that makes the player (the socket thread, the local
// player's thread), so the answers come from published state.

#include "platform/base/WinTypes.h"

class IAudioOwner {
public:
    virtual ~IAudioOwner() = default;
    virtual bool IsMuted() const { return false; }
    // The volume slider's value, 0-65535.
    virtual DWORD GetVolumeValue() const { return 0xFFFF; }
};
