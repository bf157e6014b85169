#include "platform/audio/AlsaPcmSource.h"

#include "platform/audio/AlsaPcm.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>

std::unique_ptr<CAlsaPcmSource> CAlsaPcmSource::Open(const std::string& device, DWORD rate) {
    int periodMs = 0;
    long bufferFrames = 0;
    snd_pcm_t* pcm = OpenAlsaPcm(device, true, rate, &periodMs, &bufferFrames);
    if (pcm == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CAlsaPcmSource>(new CAlsaPcmSource(pcm, periodMs, rate, bufferFrames));
}

CAlsaPcmSource::~CAlsaPcmSource() {
    snd_pcm_drop(m_pcm);
    snd_pcm_close(m_pcm);
}

void CAlsaPcmSource::Start() {
    if (m_running) {
        return;
    }
    snd_pcm_prepare(m_pcm);
    snd_pcm_start(m_pcm);
    m_guard.Restart();
    m_running = true;
}

void CAlsaPcmSource::Stop() {
    if (!m_running) {
        return;
    }
    snd_pcm_drop(m_pcm);
    m_running = false;
}

long CAlsaPcmSource::Read(SHORT* samples, long frames) {
    if (!m_running || frames <= 0) {
        return 0;
    }
    if (m_guard.Unpaced()) {
        frames = std::min(frames, m_guard.AllowedFrames());
        if (frames <= 0) {
            return 0;
        }
    }
    snd_pcm_sframes_t n = snd_pcm_readi(m_pcm, samples, static_cast<snd_pcm_uframes_t>(frames));
    if (n == -EAGAIN) {
        return 0;
    }
    if (n < 0) {
        // An overrun: the samples in between are lost; recording goes on.
        if (snd_pcm_recover(m_pcm, static_cast<int>(n), 1) < 0) {
            return -1;
        }
        snd_pcm_start(m_pcm);
        return 0;
    }
    m_guard.Count(static_cast<long>(n));
    return static_cast<long>(n);
}

int CAlsaPcmSource::WaitMs(long) const {
    return m_running ? m_periodMs / 4 + 1 : -1;
}
