#pragma once
// The wave-out side of the live audio player: three buffers of one chunk each go to the device;
// each buffer the device has played is refilled with the player's next chunk (or silence) and
// written again, so the device never runs dry while playing. Its work runs on the device's own
// thread, where played buffers come back.

#include "media/WaveBuffer.h"
#include "media/WaveFormat.h"
#include "platform/audio/WaveOut.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

class CAudioPlayer;

class CSoundOut {
public:
    static constexpr int kBufferCount = 3;

    explicit CSoundOut(CAudioPlayer& player);
    ~CSoundOut();
    CSoundOut(const CSoundOut&) = delete;
    CSoundOut& operator=(const CSoundOut&) = delete;

    // The format to open with; its buffer size is the blocks per chunk.
    CWaveFormat& Format() { return m_format; }

    // Opens the device (see PcmDevice.h for the name; null: the environment's) at the player's
    // volume, with three zero-filled buffers of one chunk. False when the device cannot be opened.
    bool Open(const char* device);
    // Closes the device (its thread has ended when this returns) and frees the buffers.
    void Close();
    // Begins playing: the three buffers from the player's next chunks. Ignored while playing.
    void Start();
    // Stops playing: every buffer comes back from the device at once.
    void Stop();

    bool IsPlaying() const { return m_playing.load(); }
    bool IsOpen() const { return m_device.IsOpen(); }
    PcmDeviceKind GetDeviceKind() const { return m_device.GetDeviceKind(); }

private:
    // The device has played a buffer (device thread).
    void OnDone(UINT message, WAVEHDR* header);
    // Writes the buffer at the index and moves the index on; under m_lock.
    void Write();
    int IndexOf(const WAVEHDR* header) const;

    CWaveFormat m_format;
    CAudioPlayer& m_player;
    std::atomic<bool> m_playing{false};
    CWaveOut m_device;
    std::mutex m_lock; // the index and the buffers' contents
    std::array<std::unique_ptr<CWaveBuffer>, kBufferCount> m_buffers;
    std::array<WAVEHDR, kBufferCount> m_headers{};
    int m_index = 0;
};
