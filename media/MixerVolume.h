#pragma once
// The master (speaker) volume and mute of the system's mixer. The main window remembers what it
// finds at start-up, moves the volume and mute, and puts the remembered values back at the end.
// Without a mixer the object still exists and every call fails, changing nothing.

#include "platform/audio/MasterMixer.h"

#include <memory>

class CMixerVolume {
public:
    // The system's mixer, opened at once.
    CMixerVolume();
    // The given mixer (for tests), opened at once.
    explicit CMixerVolume(std::unique_ptr<IMasterMixer> mixer);
    ~CMixerVolume();
    CMixerVolume(const CMixerVolume&) = delete;
    CMixerVolume& operator=(const CMixerVolume&) = delete;

    bool Open();
    void Close();

    // 0..65535, or -1 when it cannot be read.
    int GetVolume();
    bool SetVolume(DWORD value);
    // False also when the mute state cannot be read; GetLastResult tells the two apart.
    bool GetMute();
    bool SetMute(bool mute);

    // The result of the last mixer call, MMSYSERR_NOERROR on success.
    MMRESULT GetLastResult() const { return m_nResult; }
    // Channels of the master line, 1 until opened.
    UINT GetChannelCount() const { return m_nChannels; }

private:
    bool Store(MMRESULT result);

    std::unique_ptr<IMasterMixer> m_pMixer;
    bool m_bOpen = false;
    UINT m_nChannels = 1;
    MMRESULT m_nResult = MMSYSERR_NOERROR;
};
