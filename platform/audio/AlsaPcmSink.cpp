#include "platform/audio/AlsaPcmSink.h"

#include "platform/audio/AlsaPcm.h"

#include <alsa/asoundlib.h>

#include <cerrno>

std::unique_ptr<CAlsaPcmSink> CAlsaPcmSink::Open(const std::string& device, DWORD rate) {
    int periodMs = 0;
    long bufferFrames = 0;
    snd_pcm_t* pcm = OpenAlsaPcm(device, false, rate, &periodMs, &bufferFrames);
    if (pcm == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CAlsaPcmSink>(new CAlsaPcmSink(pcm, periodMs, rate, bufferFrames));
}

CAlsaPcmSink::~CAlsaPcmSink() {
    snd_pcm_drop(m_pcm);
    snd_pcm_close(m_pcm);
}

long CAlsaPcmSink::Accept(const SHORT* samples, long frames) {
    if (frames <= 0) {
        return 0;
    }
    snd_pcm_sframes_t n = snd_pcm_writei(m_pcm, samples, static_cast<snd_pcm_uframes_t>(frames));
    if (n == -EAGAIN) {
        return 0;
    }
    if (n < 0) {
        // An underrun or a suspended device: prepare it again and offer the samples next time.
        return snd_pcm_recover(m_pcm, static_cast<int>(n), 1) < 0 ? -1 : 0;
    }
    if (m_guard.PendingFrames() == 0 && !m_guard.Unpaced()) {
        // Nothing waits by the clock: the rate is measured afresh from here.
        m_guard.Restart();
    }
    m_guard.Count(static_cast<long>(n));
    return static_cast<long>(n);
}

long CAlsaPcmSink::Delay() {
    if (m_guard.Unpaced()) {
        return m_guard.PendingFrames();
    }
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(m_pcm, &delay) < 0) {
        // After an underrun everything taken has been heard.
        snd_pcm_recover(m_pcm, -EPIPE, 1);
        return 0;
    }
    if (delay > 0 && snd_pcm_state(m_pcm) == SND_PCM_STATE_PREPARED) {
        // Fewer samples than the start threshold are waiting: play them anyway.
        snd_pcm_start(m_pcm);
    }
    return delay < 0 ? 0 : static_cast<long>(delay);
}

void CAlsaPcmSink::Drop() {
    snd_pcm_drop(m_pcm);
    snd_pcm_prepare(m_pcm);
    m_guard.Restart();
}
