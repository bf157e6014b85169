#pragma once
// The microphone's capture: three buffers of one block each are queued to the wave-in device; each
// one the device fills is handed to the owner and queued again while recording runs. Its work runs
// on the device's own thread, where filled buffers come back.

#include "media/WaveBuffer.h"
#include "media/WaveFormat.h"
#include "platform/audio/WaveIn.h"

#include <array>
#include <atomic>
#include <memory>

class CAudioMikeThread;

class CSoundIn {
public:
    static constexpr int kBufferCount = 3;

    explicit CSoundIn(CAudioMikeThread& owner);
    // Stops capture when it runs.
    ~CSoundIn();
    CSoundIn(const CSoundIn&) = delete;
    CSoundIn& operator=(const CSoundIn&) = delete;

    CWaveFormat& Format() { return m_format; }

    // Opens the device (see PcmDevice.h; null: the environment's) with the format given, or the one
    // set up, queues three buffers of block align x buffer size bytes and starts recording. False
    // when already recording or when the device cannot be opened or started.
    bool Start(const CWaveFormat* format = nullptr, const char* device = nullptr);
    // Ends recording: the device gives every buffer back and is closed.
    void Stop();

    bool IsRecording() const { return m_recording.load(); }
    // Buffers the device holds.
    PcmDeviceKind GetDeviceKind() const { return m_device.GetDeviceKind(); }

private:
    // A filled buffer (device thread).
    void OnData(UINT message, WAVEHDR* header);
    bool AddBuffer(int index);

    CWaveFormat m_format;
    CAudioMikeThread& m_owner;
    std::atomic<bool> m_recording{false};
    std::atomic<int> m_queued{0};
    CWaveIn m_device;
    std::array<std::unique_ptr<CWaveBuffer>, kBufferCount> m_buffers;
    std::array<WAVEHDR, kBufferCount> m_headers{};
};
