#include "media/SoundIn.h"

#include "media/AudioMikeThread.h"

CSoundIn::CSoundIn(CAudioMikeThread& owner) : m_owner(owner) {}

CSoundIn::~CSoundIn() {
    Stop();
}

bool CSoundIn::Start(const CWaveFormat* format, const char* device) {
    if (m_recording.load()) {
        return false;
    }
    if (format != nullptr) {
        m_format = *format;
    }
    if (m_device.Open(device, m_format.GetFormat(),
                      [this](UINT message, WAVEHDR* header) { OnData(message, header); }) != MMSYSERR_NOERROR) {
        return false;
    }
    const std::size_t bytes = std::size_t(m_format.GetBlockAlign()) * m_format.GetBufferSize();
    // Filled buffers are queued again only while recording runs.
    m_recording.store(true);
    for (int i = 0; i < kBufferCount; ++i) {
        m_buffers[i] = std::make_unique<CWaveBuffer>(bytes);
        m_headers[i] = WAVEHDR{};
        m_headers[i].lpData = reinterpret_cast<LPSTR>(m_buffers[i]->GetData());
        m_headers[i].dwBufferLength = static_cast<DWORD>(bytes);
        m_headers[i].dwUser = DWORD_PTR(i);
        AddBuffer(i);
    }
    if (m_device.Start() != MMSYSERR_NOERROR) {
        Stop();
        return false;
    }
    return true;
}

bool CSoundIn::AddBuffer(int index) {
    if (m_device.PrepareHeader(&m_headers[index]) != MMSYSERR_NOERROR ||
        m_device.AddBuffer(&m_headers[index]) != MMSYSERR_NOERROR) {
        return false;
    }
    ++m_queued;
    return true;
}

void CSoundIn::Stop() {
    if (!m_device.IsOpen()) {
        m_recording.store(false);
        return;
    }
    // Not recording first, so that the buffers the reset gives back are not passed on: a buffer the
    // device had only begun to fill would carry stale bytes.
    m_recording.store(false);
    m_device.Stop();
    m_device.Reset();
    m_device.Close();
    for (int i = 0; i < kBufferCount; ++i) {
        m_headers[i] = WAVEHDR{};
        m_buffers[i].reset();
    }
    m_queued.store(0);
}

void CSoundIn::OnData(UINT message, WAVEHDR* header) {
    if (message != MM_WIM_DATA || header == nullptr) {
        return;
    }
    --m_queued;
    if (m_device.UnprepareHeader(header) != MMSYSERR_NOERROR) {
        return;
    }
    if (!m_recording.load()) {
        return;
    }
    const int index = static_cast<int>(header->dwUser);
    if (index < 0 || index >= kBufferCount || !m_buffers[index]) {
        return;
    }
    CWaveBuffer filled(reinterpret_cast<BYTE*>(header->lpData), header->dwBufferLength);
    m_owner.PushBuffer(filled);
    AddBuffer(index);
}
