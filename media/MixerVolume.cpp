#include "media/MixerVolume.h"

#include <utility>

CMixerVolume::CMixerVolume() : CMixerVolume(CreateMasterMixer()) {}

CMixerVolume::CMixerVolume(std::unique_ptr<IMasterMixer> mixer) : m_pMixer(std::move(mixer)) {
    Open();
}

CMixerVolume::~CMixerVolume() {
    Close();
}

bool CMixerVolume::Store(MMRESULT result) {
    m_nResult = result;
    return result == MMSYSERR_NOERROR;
}

bool CMixerVolume::Open() {
    Close();
    if (!m_pMixer) {
        return Store(MMSYSERR_NODRIVER);
    }
    if (!Store(m_pMixer->Open())) {
        return false;
    }
    m_bOpen = true;
    m_nChannels = m_pMixer->GetChannelCount();
    return true;
}

void CMixerVolume::Close() {
    if (m_bOpen) {
        m_pMixer->Close();
    }
    m_bOpen = false;
    m_nChannels = 1;
}

int CMixerVolume::GetVolume() {
    if (!m_bOpen) {
        Store(MMSYSERR_INVALHANDLE);
        return -1;
    }
    DWORD value = 0;
    if (!Store(m_pMixer->GetVolume(&value))) {
        return -1;
    }
    return value > 65535 ? 65535 : int(value);
}

bool CMixerVolume::SetVolume(DWORD value) {
    if (!m_bOpen) {
        return Store(MMSYSERR_INVALHANDLE);
    }
    return Store(m_pMixer->SetVolume(value));
}

bool CMixerVolume::GetMute() {
    if (!m_bOpen) {
        return Store(MMSYSERR_INVALHANDLE);
    }
    BOOL muted = FALSE;
    if (!Store(m_pMixer->GetMute(&muted))) {
        return false;
    }
    return muted != FALSE;
}

bool CMixerVolume::SetMute(bool mute) {
    if (!m_bOpen) {
        return Store(MMSYSERR_INVALHANDLE);
    }
    return Store(m_pMixer->SetMute(mute ? TRUE : FALSE));
}
