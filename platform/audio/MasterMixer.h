#pragma once
// The system's master playback volume and mute, as one uniform value for all channels.

#include "platform/audio/MmResult.h"

#include <memory>

class IMasterMixer {
public:
    virtual ~IMasterMixer() = default;

    // Finds the mixer and its master line. MMSYSERR_NOERROR, or why not (no device, no line).
    virtual MMRESULT Open() = 0;
    virtual void Close() = 0;
    // Channels of the master line once open.
    virtual UINT GetChannelCount() const = 0;
    // Volume from 0 (silent) to 65535 (full), spread evenly over the device's own range.
    virtual MMRESULT GetVolume(DWORD* value) = 0;
    virtual MMRESULT SetVolume(DWORD value) = 0;
    virtual MMRESULT GetMute(BOOL* muted) = 0;
    virtual MMRESULT SetMute(BOOL muted) = 0;
};

// The environment variable naming the ALSA mixer device; "none" means there is no mixer (tests set it
// so that a run never changes the real volume). Unset: "default".
inline constexpr const char* kMixerDeviceVariable = "KELO_MIXER_DEVICE";

// The system's mixer (not opened yet).
std::unique_ptr<IMasterMixer> CreateMasterMixer();
