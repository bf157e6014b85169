#pragma once
// A wave format with the capture buffer size (in blocks) beside it; the player and the microphone
// set it up before they open their device.

#include "platform/audio/WaveTypes.h"
#include "platform/base/WinTypes.h"

class CWaveFormat {
public:
    // PCM, 16 bits, 8000 per second, 2 channels, buffer size 20.
    CWaveFormat();

    void SetFormatTag(WORD tag) { m_format.wFormatTag = tag; }
    // These three recompute block align ((bits / 8) x channels) and average bytes per second
    // ((bits / 8) x rate).
    void SetBitsPerSample(WORD bits);
    void SetSamplesPerSec(DWORD rate);
    void SetChannels(WORD channels);
    void SetBufferSize(DWORD blocks) { m_bufferSize = blocks; }

    WORD GetFormatTag() const { return m_format.wFormatTag; }
    WORD GetChannels() const { return m_format.nChannels; }
    WORD GetBlockAlign() const { return m_format.nBlockAlign; }
    DWORD GetAvgBytesPerSec() const { return m_format.nAvgBytesPerSec; }
    DWORD GetBufferSize() const { return m_bufferSize; }
    const WAVEFORMATEX& GetFormat() const { return m_format; }

private:
    void Recompute();

    WAVEFORMATEX m_format{};
    DWORD m_bufferSize = 20;
};
