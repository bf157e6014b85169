#include "platform/audio/PacedPcmSource.h"

#include "platform/audio/MuLaw.h"
#include "platform/audio/WavFile.h"
#include "platform/audio/WaveTypes.h"

#include <algorithm>
#include <cstdio>

namespace {

bool ReadWholeFile(const std::string& path, std::vector<BYTE>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.resize(kWavMaxFileSize + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(got);
    return got <= kWavMaxFileSize;
}

} // namespace

CPacedPcmSource::CPacedPcmSource(DWORD rate, std::string path) : m_rate(rate), m_path(std::move(path)) {}

MMRESULT CPacedPcmSource::Open() {
    if (m_path.empty()) {
        return MMSYSERR_NOERROR;
    }
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(m_path, bytes)) {
        return MMSYSERR_ERROR;
    }
    WavInfo info;
    if (!ParseWav(bytes.data(), bytes.size(), info) || info.samplesPerSec != m_rate) {
        return WAVERR_BADFORMAT;
    }
    const BYTE* data = bytes.data() + info.dataOffset;
    if (info.formatTag == WAVE_FORMAT_MULAW) {
        m_samples.resize(info.dataSize);
        MuLawDecode(data, m_samples.data(), m_samples.size());
    } else {
        m_samples.resize(info.dataSize / 2);
        for (std::size_t i = 0; i < m_samples.size(); ++i) {
            m_samples[i] = static_cast<SHORT>(data[2 * i] | (data[2 * i + 1] << 8));
        }
    }
    return MMSYSERR_NOERROR;
}

void CPacedPcmSource::Start() {
    if (m_running) {
        return;
    }
    m_running = true;
    m_base = Clock::now();
    m_takenSinceBase = 0;
}

void CPacedPcmSource::Stop() {
    m_running = false;
}

long CPacedPcmSource::Ready() const {
    if (!m_running || m_position >= m_samples.size()) {
        return 0;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - m_base).count();
    const unsigned long long due = elapsed <= 0 ? 0 : static_cast<unsigned long long>(elapsed) * m_rate / 1000000000ULL;
    const unsigned long long ready = due > m_takenSinceBase ? due - m_takenSinceBase : 0;
    return static_cast<long>(std::min<unsigned long long>(ready, m_samples.size() - m_position));
}

long CPacedPcmSource::Read(SHORT* samples, long frames) {
    const long n = std::min(frames, Ready());
    if (n <= 0) {
        return 0;
    }
    std::copy_n(m_samples.begin() + static_cast<std::ptrdiff_t>(m_position), n, samples);
    m_position += static_cast<std::size_t>(n);
    m_takenSinceBase += static_cast<unsigned long long>(n);
    return n;
}

int CPacedPcmSource::WaitMs(long frames) const {
    if (!m_running || m_position >= m_samples.size()) {
        return -1;
    }
    const long ready = Ready();
    if (ready >= frames) {
        return 0;
    }
    const long missing = std::min<long>(frames, static_cast<long>(m_samples.size() - m_position)) - ready;
    return static_cast<int>(static_cast<long long>(missing) * 1000 / m_rate) + 1;
}
