#pragma once
// The master volume over ALSA's simple mixer: the element "Master", or "PCM" where a device has no
// master element. Mute is the inverse of the element's playback switch.

#include "platform/audio/MasterMixer.h"

#include <string>

struct _snd_mixer;
struct _snd_mixer_elem;

class CAlsaMixer : public IMasterMixer {
public:
    // device: an ALSA mixer device name such as "default" or "hw:0"; "none" never opens.
    explicit CAlsaMixer(std::string device);
    ~CAlsaMixer() override;
    CAlsaMixer(const CAlsaMixer&) = delete;
    CAlsaMixer& operator=(const CAlsaMixer&) = delete;

    MMRESULT Open() override;
    void Close() override;
    UINT GetChannelCount() const override { return m_channels; }
    MMRESULT GetVolume(DWORD* value) override;
    MMRESULT SetVolume(DWORD value) override;
    MMRESULT GetMute(BOOL* muted) override;
    MMRESULT SetMute(BOOL muted) override;

private:
    std::string m_device;
    _snd_mixer* m_mixer = nullptr;
    _snd_mixer_elem* m_element = nullptr;
    UINT m_channels = 1;
};
