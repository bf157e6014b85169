#pragma once
// The sound devices under the wave calls: something that plays 16-bit mono samples and something
// that records them. Each is used by one thread only (its wave device's own thread).
//
// Which device: a name given by the caller, else the environment (kAudioOutVariable for playback,
// kAudioInVariable for recording), else "default".
// - "none": no device. Playing takes the samples and lets them pass at the real rate; recording
//   records nothing.
// - a path ending in ".wav": playback writes what is heard, as it is heard, into a new 16-bit PCM
//   file (its header is kept up to date); recording plays the file's samples in at the real rate
//   (mono 16-bit PCM or mono 8-bit µ-law at the device's rate) and records nothing once they are used
//   up. A file that cannot be created or read fails the open.
// - any other name: an ALSA device. When it cannot be opened (no sound card), the device is "none":
//   the wave calls succeed silently and the rest of the program runs as with sound.

#include "platform/audio/MmResult.h"
#include "platform/base/WinTypes.h"

#include <memory>
#include <string>

inline constexpr const char* kAudioOutVariable = "KELO_AUDIO_OUT";
inline constexpr const char* kAudioInVariable = "KELO_AUDIO_IN";

enum class PcmDeviceKind { Silent, WavFile, Alsa };

class IPcmSink {
public:
    virtual ~IPcmSink() = default;
    // Takes up to `frames` samples without waiting: how many were taken (0 while the device is
    // full), or -1 when the device has failed for good.
    virtual long Accept(const SHORT* samples, long frames) = 0;
    // Samples taken but not heard yet.
    virtual long Delay() = 0;
    // Throws away what has not been heard yet.
    virtual void Drop() = 0;
    // How long a full device is waited for before it is offered samples again, in ms.
    virtual int FullWaitMs() const = 0;
};

class IPcmSource {
public:
    virtual ~IPcmSource() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    // Up to `frames` recorded samples without waiting: the count (0 when none are ready yet), or -1
    // when the device has failed for good.
    virtual long Read(SHORT* samples, long frames) = 0;
    // How long to wait until `frames` samples may be ready, in ms; -1 when no more will come.
    virtual int WaitMs(long frames) const = 0;
};

// The device a name stands for, as the rules above give it (name null or empty: the environment's).
std::string ResolvePcmDeviceName(const char* name, const char* variable);
PcmDeviceKind PcmDeviceKindOf(const std::string& resolvedName);

// Opens a device for mono samples at `rate`. Null, with the reason in *result, when it fails; *kind
// tells what was opened.
std::unique_ptr<IPcmSink> OpenPcmSink(const char* name, DWORD rate, PcmDeviceKind* kind, MMRESULT* result);
std::unique_ptr<IPcmSource> OpenPcmSource(const char* name, DWORD rate, PcmDeviceKind* kind, MMRESULT* result);
