#include "platform/audio/WaveOut.h"

#include "platform/audio/MuLaw.h"

#include <algorithm>
#include <chrono>

CWaveOut::~CWaveOut() {
    Close();
}

MMRESULT CWaveOut::Open(const char* device, const WAVEFORMATEX& format, WaveCallback callback) {
    if (IsOpen()) {
        return MMSYSERR_ALLOCATED;
    }
    const MMRESULT checked = CheckFormat(format);
    if (checked != MMSYSERR_NOERROR) {
        return checked;
    }
    PcmDeviceKind kind = PcmDeviceKind::Silent;
    MMRESULT result = MMSYSERR_NOERROR;
    m_sink = OpenPcmSink(device, format.nSamplesPerSec, &kind, &result);
    if (!m_sink) {
        return result;
    }
    m_flights.clear();
    m_current = nullptr;
    m_samples.clear();
    m_offset = 0;
    m_written = 0;
    m_heard = 0;
    StartThread(format, std::move(callback), kind);
    return MMSYSERR_NOERROR;
}

MMRESULT CWaveOut::SetVolume(DWORD volume) {
    if (!IsOpen()) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard lock(m_lock);
    m_volume = volume;
    return MMSYSERR_NOERROR;
}

void CWaveOut::Convert(const WAVEHDR& header, DWORD volume) {
    const bool mulaw = m_format.wFormatTag == WAVE_FORMAT_MULAW;
    const std::size_t count = mulaw ? header.dwBufferLength : header.dwBufferLength / 2;
    const auto* bytes = reinterpret_cast<const BYTE*>(header.lpData);
    m_samples.resize(count);
    if (mulaw) {
        MuLawDecode(bytes, m_samples.data(), count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            m_samples[i] = static_cast<SHORT>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
    }
    const long long gain = LOWORD(volume);
    if (gain != 0xFFFF) {
        for (SHORT& s : m_samples) {
            s = static_cast<SHORT>(s * gain / 0xFFFF);
        }
    }
    m_offset = 0;
}

bool CWaveOut::Feed() {
    const long left = static_cast<long>(m_samples.size() - m_offset);
    long taken = left > 0 ? m_sink->Accept(m_samples.data() + m_offset, left) : 0;
    if (taken < 0) {
        // A device that failed for good: the rest of the buffer counts as heard.
        taken = left;
    }
    m_offset += static_cast<std::size_t>(taken);
    m_written += static_cast<unsigned long long>(taken);
    if (m_offset >= m_samples.size()) {
        m_flights.push_back({m_current, m_written});
        m_current = nullptr;
        m_samples.clear();
        m_offset = 0;
        return true;
    }
    return taken > 0;
}

std::vector<WAVEHDR*> CWaveOut::TakeHeard() {
    std::vector<WAVEHDR*> heard;
    if (m_flights.empty()) {
        return heard;
    }
    const auto delay = static_cast<unsigned long long>(std::max(0L, m_sink->Delay()));
    m_heard = m_written - std::min(delay, m_written);
    while (!m_flights.empty() && m_flights.front().end <= m_heard) {
        heard.push_back(m_flights.front().header);
        m_flights.pop_front();
    }
    return heard;
}

int CWaveOut::IdleWaitMs(bool full) const {
    int ms = full ? m_sink->FullWaitMs() : -1;
    if (!m_flights.empty()) {
        const unsigned long long left = m_flights.front().end - std::min(m_flights.front().end, m_heard);
        const int untilHeard =
            static_cast<int>(std::min<unsigned long long>(left * 1000 / m_format.nSamplesPerSec, 1000)) + 1;
        ms = ms < 0 ? untilHeard : std::min(ms, untilHeard);
    }
    return ms;
}

void CWaveOut::OnReset() {
    m_sink->Drop();
    m_flights.clear();
    m_current = nullptr;
    m_samples.clear();
    m_offset = 0;
    m_written = 0;
    m_heard = 0;
}

void CWaveOut::Run() {
    std::unique_lock lock(m_lock);
    while (!m_stop) {
        std::vector<WAVEHDR*> held;
        for (const Flight& f : m_flights) {
            held.push_back(f.header);
        }
        if (m_current != nullptr) {
            held.push_back(m_current);
        }
        if (ServeReset(lock, MM_WOM_DONE, held)) {
            continue;
        }
        DWORD volume = m_volume;
        const bool starting = m_current == nullptr && !m_queue.empty();
        if (starting) {
            m_current = m_queue.front();
            m_queue.pop_front();
        }
        lock.unlock();
        if (starting) {
            Convert(*m_current, volume);
        }
        const bool fed = m_current != nullptr && Feed();
        const std::vector<WAVEHDR*> heard = TakeHeard();
        Deliver(MM_WOM_DONE, heard);
        lock.lock();
        if (m_stop || !heard.empty() || fed || ResetPending() || (m_current == nullptr && !m_queue.empty())) {
            continue;
        }
        const int ms = IdleWaitMs(m_current != nullptr);
        if (ms < 0) {
            m_wake.wait(lock);
        } else {
            m_wake.wait_for(lock, std::chrono::milliseconds(ms));
        }
    }
    std::vector<WAVEHDR*> held;
    for (const Flight& f : m_flights) {
        held.push_back(f.header);
    }
    if (m_current != nullptr) {
        held.push_back(m_current);
    }
    m_flights.clear();
    m_current = nullptr;
    lock.unlock();
    Abandon(held);
}
