#include "media/WaveFormat.h"

CWaveFormat::CWaveFormat() {
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.wBitsPerSample = 16;
    m_format.nSamplesPerSec = 8000;
    m_format.nChannels = 2;
    m_format.cbSize = 0;
    Recompute();
}

void CWaveFormat::SetBitsPerSample(WORD bits) {
    m_format.wBitsPerSample = bits;
    Recompute();
}

void CWaveFormat::SetSamplesPerSec(DWORD rate) {
    m_format.nSamplesPerSec = rate;
    Recompute();
}

void CWaveFormat::SetChannels(WORD channels) {
    m_format.nChannels = channels;
    Recompute();
}

void CWaveFormat::Recompute() {
    const DWORD bytes = m_format.wBitsPerSample / 8;
    m_format.nBlockAlign = static_cast<WORD>(bytes * m_format.nChannels);
    m_format.nAvgBytesPerSec = bytes * m_format.nSamplesPerSec;
}
