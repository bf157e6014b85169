#pragma once
// The wave-in device: buffers added to it are filled in order with recorded samples (µ-law codes
// or 16-bit PCM) while recording runs, and each comes back through the callback (MM_WIM_DATA) once
// it is full. Stop pauses recording and keeps the buffers; Reset gives them all back, each with
// the bytes it had received (dwBytesRecorded).

#include "platform/audio/WaveDevice.h"

#include <memory>

class CWaveIn final : public CWaveDevice {
public:
    CWaveIn() = default;
    ~CWaveIn() override;

    // device: see PcmDevice.h (null: the environment's choice). WAVERR_BADFORMAT for a format other
    // than mono µ-law or mono 16-bit PCM, or a .wav file that does not match it; MMSYSERR_ALLOCATED
    // when already open.
    MMRESULT Open(const char* device, const WAVEFORMATEX& format, WaveCallback callback);
    MMRESULT AddBuffer(WAVEHDR* header);
    MMRESULT Start();
    MMRESULT Stop();

private:
    void Run() override;
    void CloseDevice() override { m_source.reset(); }
    void OnReset() override {}
    // Fills the front buffer from the device; true when it is full.
    bool Fill(WAVEHDR& header, long* missing);

    bool m_wantRunning = false;
    std::unique_ptr<IPcmSource> m_source;
    std::vector<SHORT> m_scratch;
};
