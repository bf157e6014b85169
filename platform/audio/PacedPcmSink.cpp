#include "platform/audio/PacedPcmSink.h"

#include "platform/audio/WavFile.h"

#include <algorithm>
#include <limits>

namespace {

// The header's 32-bit sizes end the file's growth.
constexpr DWORD kMaxDataBytes = std::numeric_limits<DWORD>::max() - 64;

} // namespace

CPacedPcmSink::CPacedPcmSink(DWORD rate, std::string path) : m_rate(rate), m_path(std::move(path)) {}

CPacedPcmSink::~CPacedPcmSink() {
    if (m_file != nullptr) {
        UpdateHeader();
        std::fclose(m_file);
    }
}

bool CPacedPcmSink::Open() {
    if (m_path.empty()) {
        return true;
    }
    m_file = std::fopen(m_path.c_str(), "wb");
    if (m_file == nullptr) {
        return false;
    }
    UpdateHeader();
    return true;
}

long CPacedPcmSink::Accept(const SHORT* samples, long frames) {
    if (frames <= 0) {
        return 0;
    }
    Settle();
    if (m_pending.empty()) {
        // The device ran dry (or never ran): it starts again from now.
        m_base = Clock::now();
        m_heardSinceBase = 0;
    }
    m_pending.insert(m_pending.end(), samples, samples + frames);
    return frames;
}

long CPacedPcmSink::Delay() {
    Settle();
    return static_cast<long>(m_pending.size());
}

void CPacedPcmSink::Drop() {
    Settle();
    m_pending.clear();
}

void CPacedPcmSink::Settle() {
    if (m_pending.empty()) {
        return;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - m_base).count();
    const unsigned long long heardTotal =
        elapsed <= 0 ? 0 : static_cast<unsigned long long>(elapsed) * m_rate / 1000000000ULL;
    if (heardTotal <= m_heardSinceBase) {
        return;
    }
    const std::size_t heard =
        static_cast<std::size_t>(std::min<unsigned long long>(heardTotal - m_heardSinceBase, m_pending.size()));
    m_heardSinceBase += heard;
    WriteHeard(heard);
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(heard));
}

void CPacedPcmSink::WriteHeard(std::size_t count) {
    if (m_file == nullptr || count == 0) {
        return;
    }
    std::vector<BYTE> bytes;
    bytes.reserve(count * 2);
    for (std::size_t i = 0; i < count && m_dataBytes + bytes.size() + 2 <= kMaxDataBytes; ++i) {
        const auto v = static_cast<WORD>(m_pending[i]);
        bytes.push_back(BYTE(v & 0xFF));
        bytes.push_back(BYTE(v >> 8));
    }
    if (bytes.empty()) {
        return;
    }
    std::fseek(m_file, 0, SEEK_END);
    m_dataBytes += static_cast<DWORD>(std::fwrite(bytes.data(), 1, bytes.size(), m_file));
    UpdateHeader();
}

void CPacedPcmSink::UpdateHeader() {
    const auto header = MakeWavHeader(m_rate, m_dataBytes);
    std::fseek(m_file, 0, SEEK_SET);
    std::fwrite(header.data(), 1, header.size(), m_file);
    std::fflush(m_file);
}
