#include "platform/audio/AlsaMixer.h"

#include "platform/audio/MixerScale.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <utility>

namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A machine without a sound card is an ordinary case here: ALSA's own complaints about it stay off
// the program's error output while the mixer is looked for.
class CQuietAlsa {
public:
    CQuietAlsa() { snd_lib_error_set_handler(IgnoreAlsaError); }
    ~CQuietAlsa() { snd_lib_error_set_handler(nullptr); }
    CQuietAlsa(const CQuietAlsa&) = delete;
    CQuietAlsa& operator=(const CQuietAlsa&) = delete;
};

snd_mixer_elem_t* FindElement(snd_mixer_t* mixer, const char* name) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, name);
    return snd_mixer_find_selem(mixer, id);
}

UINT CountPlaybackChannels(snd_mixer_elem_t* element) {
    if (snd_mixer_selem_is_playback_mono(element)) {
        return 1;
    }
    UINT count = 0;
    for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch) {
        if (snd_mixer_selem_has_playback_channel(element, snd_mixer_selem_channel_id_t(ch))) {
            ++count;
        }
    }
    return count ? count : 1;
}

} // namespace

std::unique_ptr<IMasterMixer> CreateMasterMixer() {
    const char* device = std::getenv(kMixerDeviceVariable);
    return std::make_unique<CAlsaMixer>(device && *device ? device : "default");
}

CAlsaMixer::CAlsaMixer(std::string device) : m_device(std::move(device)) {}

CAlsaMixer::~CAlsaMixer() {
    Close();
}

MMRESULT CAlsaMixer::Open() {
    Close();
    if (m_device == "none") {
        return MMSYSERR_NODRIVER;
    }
    const CQuietAlsa quiet;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) {
        return MMSYSERR_NODRIVER;
    }
    if (snd_mixer_attach(mixer, m_device.c_str()) < 0 || snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return MMSYSERR_BADDEVICEID;
    }
    snd_mixer_elem_t* element = FindElement(mixer, "Master");
    if (!element) {
        element = FindElement(mixer, "PCM");
    }
    if (!element) {
        snd_mixer_close(mixer);
        return MIXERR_INVALLINE;
    }
    m_mixer = mixer;
    m_element = element;
    m_channels = CountPlaybackChannels(element);
    return MMSYSERR_NOERROR;
}

void CAlsaMixer::Close() {
    if (m_mixer) {
        snd_mixer_close(m_mixer);
    }
    m_mixer = nullptr;
    m_element = nullptr;
    m_channels = 1;
}

MMRESULT CAlsaMixer::GetVolume(DWORD* value) {
    if (!m_element) {
        return MMSYSERR_INVALHANDLE;
    }
    long low = 0;
    long high = 0;
    long level = 0;
    if (!value || !snd_mixer_selem_has_playback_volume(m_element) ||
        snd_mixer_selem_get_playback_volume_range(m_element, &low, &high) < 0 || high <= low ||
        snd_mixer_selem_get_playback_volume(m_element, SND_MIXER_SCHN_FRONT_LEFT, &level) < 0) {
        return MIXERR_INVALCONTROL;
    }
    *value = MixerVolumeFromLevel(level, low, high);
    return MMSYSERR_NOERROR;
}

MMRESULT CAlsaMixer::SetVolume(DWORD value) {
    if (!m_element) {
        return MMSYSERR_INVALHANDLE;
    }
    long low = 0;
    long high = 0;
    if (!snd_mixer_selem_has_playback_volume(m_element) ||
        snd_mixer_selem_get_playback_volume_range(m_element, &low, &high) < 0 || high <= low) {
        return MIXERR_INVALCONTROL;
    }
    const long level = MixerLevelFromVolume(value, low, high);
    return snd_mixer_selem_set_playback_volume_all(m_element, level) < 0 ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

MMRESULT CAlsaMixer::GetMute(BOOL* muted) {
    if (!m_element) {
        return MMSYSERR_INVALHANDLE;
    }
    int on = 0;
    if (!muted || !snd_mixer_selem_has_playback_switch(m_element) ||
        snd_mixer_selem_get_playback_switch(m_element, SND_MIXER_SCHN_FRONT_LEFT, &on) < 0) {
        return MIXERR_INVALCONTROL;
    }
    *muted = on ? FALSE : TRUE;
    return MMSYSERR_NOERROR;
}

MMRESULT CAlsaMixer::SetMute(BOOL muted) {
    if (!m_element) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!snd_mixer_selem_has_playback_switch(m_element)) {
        return MIXERR_INVALCONTROL;
    }
    return snd_mixer_selem_set_playback_switch_all(m_element, muted ? 0 : 1) < 0 ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}
