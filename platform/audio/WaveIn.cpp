#include "platform/audio/WaveIn.h"

#include "platform/audio/MuLaw.h"

#include <algorithm>
#include <chrono>

CWaveIn::~CWaveIn() {
    Close();
}

MMRESULT CWaveIn::Open(const char* device, const WAVEFORMATEX& format, WaveCallback callback) {
    if (IsOpen()) {
        return MMSYSERR_ALLOCATED;
    }
    const MMRESULT checked = CheckFormat(format);
    if (checked != MMSYSERR_NOERROR) {
        return checked;
    }
    PcmDeviceKind kind = PcmDeviceKind::Silent;
    MMRESULT result = MMSYSERR_NOERROR;
    m_source = OpenPcmSource(device, format.nSamplesPerSec, &kind, &result);
    if (!m_source) {
        return result;
    }
    m_wantRunning = false;
    StartThread(format, std::move(callback), kind);
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveIn::AddBuffer(WAVEHDR* header) {
    if (header != nullptr) {
        header->dwBytesRecorded = 0;
    }
    return Queue(header);
}

MMRESULT CWaveIn::Start() {
    if (!IsOpen()) {
        return MMSYSERR_INVALHANDLE;
    }
    {
        std::lock_guard lock(m_lock);
        m_wantRunning = true;
    }
    m_wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveIn::Stop() {
    if (!IsOpen()) {
        return MMSYSERR_INVALHANDLE;
    }
    {
        std::lock_guard lock(m_lock);
        m_wantRunning = false;
    }
    m_wake.notify_all();
    return MMSYSERR_NOERROR;
}

bool CWaveIn::Fill(WAVEHDR& header, long* missing) {
    const bool mulaw = m_format.wFormatTag == WAVE_FORMAT_MULAW;
    const DWORD bytesPerSample = mulaw ? 1 : 2;
    const DWORD capacity = header.dwBufferLength - header.dwBufferLength % bytesPerSample;
    const DWORD recorded = std::min(header.dwBytesRecorded, capacity);
    const long wanted = static_cast<long>((capacity - recorded) / bytesPerSample);
    m_scratch.resize(static_cast<std::size_t>(std::max(wanted, 1L)));
    const long got = wanted > 0 ? std::max(0L, m_source->Read(m_scratch.data(), wanted)) : 0;
    auto* out = reinterpret_cast<BYTE*>(header.lpData) + recorded;
    if (mulaw) {
        MuLawEncode(m_scratch.data(), out, static_cast<std::size_t>(got));
    } else {
        for (long i = 0; i < got; ++i) {
            const auto v = static_cast<WORD>(m_scratch[std::size_t(i)]);
            out[2 * i] = BYTE(v & 0xFF);
            out[2 * i + 1] = BYTE(v >> 8);
        }
    }
    header.dwBytesRecorded = recorded + static_cast<DWORD>(got) * bytesPerSample;
    *missing = wanted - got;
    return *missing <= 0;
}

void CWaveIn::Run() {
    std::unique_lock lock(m_lock);
    bool running = false;
    while (!m_stop) {
        if (ServeReset(lock, MM_WIM_DATA, {})) {
            continue;
        }
        const bool want = m_wantRunning;
        WAVEHDR* front = m_queue.empty() ? nullptr : m_queue.front();
        lock.unlock();
        if (want != running) {
            if (want) {
                m_source->Start();
            } else {
                m_source->Stop();
            }
            running = want;
        }
        long missing = 0;
        const bool full = running && front != nullptr && Fill(*front, &missing);
        int waitMs = -1;
        if (running && front != nullptr && !full) {
            waitMs = m_source->WaitMs(missing);
        }
        if (full) {
            lock.lock();
            m_queue.pop_front();
            lock.unlock();
            Deliver(MM_WIM_DATA, {front});
        }
        lock.lock();
        if (m_stop || full || ResetPending() || m_wantRunning != running || (front == nullptr && !m_queue.empty())) {
            continue;
        }
        if (!running || m_queue.empty() || waitMs < 0) {
            m_wake.wait(lock);
        } else {
            m_wake.wait_for(lock, std::chrono::milliseconds(std::max(waitMs, 1)));
        }
    }
    lock.unlock();
    if (running) {
        m_source->Stop();
    }
    Abandon({});
}
