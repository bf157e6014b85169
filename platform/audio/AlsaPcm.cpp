#include "platform/audio/AlsaPcm.h"

#include <alsa/asoundlib.h>

#include <chrono>

namespace {

constexpr snd_pcm_uframes_t kPeriodFrames = 512;
constexpr snd_pcm_uframes_t kBufferFrames = kPeriodFrames * 4;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A machine without a sound card is an ordinary case: ALSA's complaints stay off the error output.
class CQuietAlsa {
public:
    CQuietAlsa() { snd_lib_error_set_handler(IgnoreAlsaError); }
    ~CQuietAlsa() { snd_lib_error_set_handler(nullptr); }
    CQuietAlsa(const CQuietAlsa&) = delete;
    CQuietAlsa& operator=(const CQuietAlsa&) = delete;
};

bool SetHardware(snd_pcm_t* pcm, DWORD rate, snd_pcm_uframes_t* period, snd_pcm_uframes_t* buffer) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    *buffer = kBufferFrames;
    *period = kPeriodFrames;
    int dir = 0;
    return snd_pcm_hw_params_any(pcm, hw) >= 0 &&
           snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) >= 0 &&
           snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_S16_LE) >= 0 &&
           snd_pcm_hw_params_set_channels(pcm, hw, 1) >= 0 && snd_pcm_hw_params_set_rate(pcm, hw, rate, 0) >= 0 &&
           snd_pcm_hw_params_set_period_size_near(pcm, hw, period, &dir) >= 0 &&
           snd_pcm_hw_params_set_buffer_size_near(pcm, hw, buffer) >= 0 && snd_pcm_hw_params(pcm, hw) >= 0 &&
           snd_pcm_hw_params_get_period_size(hw, period, &dir) >= 0 &&
           snd_pcm_hw_params_get_buffer_size(hw, buffer) >= 0;
}

bool SetSoftware(snd_pcm_t* pcm, snd_pcm_uframes_t period, bool capture) {
    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    // Playback starts as soon as one period is in; recording is started by hand.
    return snd_pcm_sw_params_current(pcm, sw) >= 0 &&
           snd_pcm_sw_params_set_start_threshold(pcm, sw, capture ? kBufferFrames * 2 : period) >= 0 &&
           snd_pcm_sw_params_set_avail_min(pcm, sw, period) >= 0 && snd_pcm_sw_params(pcm, sw) >= 0;
}

} // namespace

_snd_pcm* OpenAlsaPcm(const std::string& device, bool capture, DWORD rate, int* periodMs, long* bufferFrames) {
    CQuietAlsa quiet;
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, device.c_str(), capture ? SND_PCM_STREAM_CAPTURE : SND_PCM_STREAM_PLAYBACK,
                     SND_PCM_NONBLOCK) < 0) {
        return nullptr;
    }
    snd_pcm_uframes_t period = kPeriodFrames;
    snd_pcm_uframes_t buffer = kBufferFrames;
    if (snd_pcm_type(pcm) == SND_PCM_TYPE_NULL || !SetHardware(pcm, rate, &period, &buffer) ||
        !SetSoftware(pcm, period, capture)) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    const long ms = static_cast<long>(period * 1000 / rate);
    *periodMs = ms < 1 ? 1 : static_cast<int>(ms);
    *bufferFrames = static_cast<long>(buffer);
    return pcm;
}

CRateGuard::CRateGuard(DWORD rate, long bufferFrames) : m_rate(rate), m_bufferFrames(bufferFrames) {
    Restart();
}

void CRateGuard::Restart() {
    m_startNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    m_counted = 0;
}

long long CRateGuard::ElapsedFrames() const {
    const long long now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    return (now - m_startNs) * m_rate / 1000000000LL;
}

void CRateGuard::Count(long frames) {
    m_counted += frames;
    // A device that keeps the rate can be ahead of the clock by its buffer at most.
    if (!m_unpaced && m_counted > 2 * m_bufferFrames + ElapsedFrames() * 3 / 2) {
        m_unpaced = true;
    }
}

long CRateGuard::PendingFrames() const {
    const long long pending = m_counted - ElapsedFrames();
    return pending > 0 ? static_cast<long>(pending) : 0;
}

long CRateGuard::AllowedFrames() const {
    const long long allowed = ElapsedFrames() - m_counted;
    return allowed > 0 ? static_cast<long>(allowed) : 0;
}
