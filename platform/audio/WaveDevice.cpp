#include "platform/audio/WaveDevice.h"

CWaveDevice::~CWaveDevice() {
    // A derived device closes in its own destructor; this only catches a thread left running.
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
}

MMRESULT CWaveDevice::CheckFormat(const WAVEFORMATEX& format) {
    const bool mulaw = format.wFormatTag == WAVE_FORMAT_MULAW && format.wBitsPerSample == 8;
    const bool pcm = format.wFormatTag == WAVE_FORMAT_PCM && format.wBitsPerSample == 16;
    if ((!mulaw && !pcm) || format.nChannels != 1 || format.nSamplesPerSec < 1000 || format.nSamplesPerSec > 192000) {
        return WAVERR_BADFORMAT;
    }
    return MMSYSERR_NOERROR;
}

void CWaveDevice::StartThread(const WAVEFORMATEX& format, WaveCallback callback, PcmDeviceKind kind) {
    std::lock_guard lock(m_lock);
    m_format = format;
    m_callback = std::move(callback);
    m_kind = kind;
    m_stop = false;
    m_open = true;
    m_thread = std::thread([this] { Run(); });
    m_threadId = m_thread.get_id();
}

bool CWaveDevice::IsOpen() const {
    std::lock_guard lock(m_lock);
    return m_open;
}

MMRESULT CWaveDevice::PrepareHeader(WAVEHDR* header) {
    if (header == nullptr || (header->lpData == nullptr && header->dwBufferLength != 0)) {
        return MMSYSERR_INVALPARAM;
    }
    std::lock_guard lock(m_lock);
    if (!m_open) {
        return MMSYSERR_INVALHANDLE;
    }
    header->dwFlags = (header->dwFlags & ~(WHDR_DONE | WHDR_INQUEUE)) | WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveDevice::UnprepareHeader(WAVEHDR* header) {
    if (header == nullptr) {
        return MMSYSERR_INVALPARAM;
    }
    std::lock_guard lock(m_lock);
    if ((header->dwFlags & WHDR_INQUEUE) != 0) {
        return WAVERR_STILLPLAYING;
    }
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveDevice::Queue(WAVEHDR* header) {
    if (header == nullptr) {
        return MMSYSERR_INVALPARAM;
    }
    {
        std::lock_guard lock(m_lock);
        if (!m_open) {
            return MMSYSERR_INVALHANDLE;
        }
        if ((header->dwFlags & WHDR_PREPARED) == 0) {
            return WAVERR_UNPREPARED;
        }
        if ((header->dwFlags & WHDR_INQUEUE) != 0) {
            return WAVERR_STILLPLAYING;
        }
        header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
        m_queue.push_back(header);
    }
    m_wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveDevice::Reset() {
    std::unique_lock lock(m_lock);
    if (!m_open) {
        return MMSYSERR_INVALHANDLE;
    }
    const unsigned long long target = ++m_resetRequests;
    m_wake.notify_all();
    if (std::this_thread::get_id() == m_threadId) {
        return MMSYSERR_NOERROR;
    }
    m_served.wait(lock, [&] { return m_resetsServed >= target || m_stop; });
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveDevice::Close() {
    {
        std::lock_guard lock(m_lock);
        if (!m_open) {
            return MMSYSERR_INVALHANDLE;
        }
        if (std::this_thread::get_id() == m_threadId) {
            return MMSYSERR_ERROR;
        }
        m_stop = true;
    }
    m_wake.notify_all();
    m_served.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    CloseDevice();
    std::lock_guard lock(m_lock);
    m_open = false;
    m_threadId = {};
    return MMSYSERR_NOERROR;
}

void CWaveDevice::Deliver(UINT message, const std::vector<WAVEHDR*>& done) {
    for (WAVEHDR* header : done) {
        {
            std::lock_guard lock(m_lock);
            header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
        }
        if (m_callback) {
            m_callback(message, header);
        }
    }
}

bool CWaveDevice::ServeReset(std::unique_lock<std::mutex>& lock, UINT message, std::vector<WAVEHDR*> held) {
    if (!ResetPending()) {
        return false;
    }
    const unsigned long long target = m_resetRequests;
    held.insert(held.end(), m_queue.begin(), m_queue.end());
    m_queue.clear();
    lock.unlock();
    OnReset();
    Deliver(message, held);
    lock.lock();
    m_resetsServed = target;
    m_served.notify_all();
    return true;
}

void CWaveDevice::Abandon(std::vector<WAVEHDR*> held) {
    std::lock_guard lock(m_lock);
    held.insert(held.end(), m_queue.begin(), m_queue.end());
    m_queue.clear();
    for (WAVEHDR* header : held) {
        header->dwFlags &= ~WHDR_INQUEUE;
    }
    m_served.notify_all();
}
