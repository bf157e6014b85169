#pragma once
// What the wave-out and wave-in devices share: buffer headers handed to the device and given back
// through the callback, the device's own thread, and the reset handshake.
//
// Threads: the calls may be made from any thread. The callback runs on the device's thread, one
// buffer at a time, never under the device's lock, so it may hand the buffer straight back (Write,
// AddBuffer). Close joins that thread: it must not be called from the callback.

#include "platform/audio/PcmDevice.h"
#include "platform/audio/WaveTypes.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// (message, header): MM_WOM_DONE for a played buffer, MM_WIM_DATA for a recorded one.
using WaveCallback = std::function<void(UINT message, WAVEHDR* header)>;

class CWaveDevice {
public:
    CWaveDevice() = default;
    virtual ~CWaveDevice();
    CWaveDevice(const CWaveDevice&) = delete;
    CWaveDevice& operator=(const CWaveDevice&) = delete;

    MMRESULT PrepareHeader(WAVEHDR* header);
    // WAVERR_STILLPLAYING while the device holds the buffer.
    MMRESULT UnprepareHeader(WAVEHDR* header);
    // Gives every buffer the device holds back through the callback (done, with what it holds) and
    // returns once they have all been given back. Called from the callback itself, the buffers come
    // back after the callback has returned.
    MMRESULT Reset();
    // Stops the device's thread and closes the device; buffers it still held are released without
    // a callback.
    MMRESULT Close();

    bool IsOpen() const;
    PcmDeviceKind GetDeviceKind() const { return m_kind; }

protected:
    // Checks the format (mono µ-law 8-bit or mono 16-bit PCM at a sensible rate).
    static MMRESULT CheckFormat(const WAVEFORMATEX& format);
    // Starts the device's thread over Run once the device itself has been opened.
    void StartThread(const WAVEFORMATEX& format, WaveCallback callback, PcmDeviceKind kind);
    // Queues a buffer to the device (its flags say in queue, not done).
    MMRESULT Queue(WAVEHDR* header);
    // The body of the device's thread; returns once m_stop is set (it holds m_lock while it looks).
    virtual void Run() = 0;
    // Releases the device itself (after the thread has ended).
    virtual void CloseDevice() = 0;

    // Marks the buffers done and gives each to the callback. Device thread, without the lock.
    void Deliver(UINT message, const std::vector<WAVEHDR*>& done);
    // Device thread, under the lock: true when a reset waits; serving it hands back `held` and
    // everything queued, then reports the reset served. Unlocks while it delivers.
    bool ServeReset(std::unique_lock<std::mutex>& lock, UINT message, std::vector<WAVEHDR*> held);
    bool ResetPending() const { return m_resetsServed != m_resetRequests; }
    // Device thread, after Run: the buffers still held leave the device without a callback.
    void Abandon(std::vector<WAVEHDR*> held);

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    WAVEFORMATEX m_format{};
    bool m_stop = false;
    std::deque<WAVEHDR*> m_queue;
    // What a reset did to the device itself (drop what it holds); device thread.
    virtual void OnReset() = 0;

private:
    std::condition_variable m_served;
    WaveCallback m_callback;
    PcmDeviceKind m_kind = PcmDeviceKind::Silent;
    bool m_open = false;
    unsigned long long m_resetRequests = 0;
    unsigned long long m_resetsServed = 0;
    std::thread m_thread;
    std::thread::id m_threadId;
};
