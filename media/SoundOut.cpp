#include "media/SoundOut.h"

#include "media/AudioPlayer.h"

CSoundOut::CSoundOut(CAudioPlayer& player) : m_player(player) {}

CSoundOut::~CSoundOut() {
    Close();
}

bool CSoundOut::Open(const char* device) {
    const MMRESULT opened =
        m_device.Open(device, m_format.GetFormat(), [this](UINT message, WAVEHDR* header) { OnDone(message, header); });
    if (opened != MMSYSERR_NOERROR) {
        return false;
    }
    m_device.SetVolume(m_player.GetVolume());
    const std::size_t bytes = std::size_t(m_format.GetBufferSize()) * CAudioPlayer::kBlockSize;
    std::lock_guard lock(m_lock);
    for (int i = 0; i < kBufferCount; ++i) {
        m_buffers[i] = std::make_unique<CWaveBuffer>(bytes);
        m_headers[i] = WAVEHDR{};
        m_headers[i].lpData = reinterpret_cast<LPSTR>(m_buffers[i]->GetData());
        m_headers[i].dwBufferLength = static_cast<DWORD>(bytes);
        if (m_device.PrepareHeader(&m_headers[i]) != MMSYSERR_NOERROR) {
            m_device.Close();
            return false;
        }
    }
    return true;
}

void CSoundOut::Close() {
    m_playing.store(false);
    if (!m_device.IsOpen()) {
        return;
    }
    m_device.Reset();
    m_device.Close();
    std::lock_guard lock(m_lock);
    for (int i = 0; i < kBufferCount; ++i) {
        m_device.UnprepareHeader(&m_headers[i]);
        m_headers[i] = WAVEHDR{};
        m_buffers[i].reset();
    }
}

void CSoundOut::Start() {
    std::lock_guard lock(m_lock);
    if (m_playing.load() || !m_buffers[0]) {
        return;
    }
    m_playing.store(true);
    m_index = 0;
    for (int i = 0; i < kBufferCount; ++i) {
        m_player.GetNextBlock(*m_buffers[m_index]);
        Write();
    }
}

void CSoundOut::Stop() {
    if (!m_playing.exchange(false)) {
        return;
    }
    m_device.Reset();
}

void CSoundOut::Write() {
    WAVEHDR& header = m_headers[m_index];
    header.dwBufferLength = static_cast<DWORD>(m_buffers[m_index]->GetSize());
    m_device.Write(&header);
    m_index = (m_index + 1) % kBufferCount;
}

int CSoundOut::IndexOf(const WAVEHDR* header) const {
    for (int i = 0; i < kBufferCount; ++i) {
        if (&m_headers[i] == header) {
            return i;
        }
    }
    return -1;
}

void CSoundOut::OnDone(UINT message, WAVEHDR* header) {
    if (message != MM_WOM_DONE) {
        return;
    }
    if (!m_playing.load()) {
        m_player.Flush();
        return;
    }
    std::lock_guard lock(m_lock);
    // Buffers come back in the order written, so the one played is the one at the index.
    const int played = IndexOf(header);
    if (played < 0 || !m_buffers[played]) {
        return;
    }
    m_index = played;
    m_player.GetNextBlock(*m_buffers[m_index]);
    Write();
}
