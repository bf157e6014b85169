#include "platform/audio/PcmDevice.h"

#include "platform/audio/AlsaPcmSink.h"
#include "platform/audio/AlsaPcmSource.h"
#include "platform/audio/PacedPcmSink.h"
#include "platform/audio/PacedPcmSource.h"

#include <cstdlib>

namespace {

bool EndsWithWav(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    std::string end = name.substr(name.size() - 4);
    for (char& c : end) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return end == ".wav";
}

} // namespace

std::string ResolvePcmDeviceName(const char* name, const char* variable) {
    if (name != nullptr && *name != '\0') {
        return name;
    }
    const char* fromEnvironment = variable != nullptr ? std::getenv(variable) : nullptr;
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    return "default";
}

PcmDeviceKind PcmDeviceKindOf(const std::string& resolvedName) {
    if (resolvedName == "none") {
        return PcmDeviceKind::Silent;
    }
    return EndsWithWav(resolvedName) ? PcmDeviceKind::WavFile : PcmDeviceKind::Alsa;
}

std::unique_ptr<IPcmSink> OpenPcmSink(const char* name, DWORD rate, PcmDeviceKind* kind, MMRESULT* result) {
    const std::string device = ResolvePcmDeviceName(name, kAudioOutVariable);
    *kind = PcmDeviceKindOf(device);
    *result = MMSYSERR_NOERROR;
    if (*kind == PcmDeviceKind::Alsa) {
        if (auto sink = CAlsaPcmSink::Open(device, rate)) {
            return sink;
        }
        *kind = PcmDeviceKind::Silent;
    }
    auto sink = std::make_unique<CPacedPcmSink>(rate, *kind == PcmDeviceKind::WavFile ? device : std::string());
    if (!sink->Open()) {
        *result = MMSYSERR_ERROR;
        return nullptr;
    }
    return sink;
}

std::unique_ptr<IPcmSource> OpenPcmSource(const char* name, DWORD rate, PcmDeviceKind* kind, MMRESULT* result) {
    const std::string device = ResolvePcmDeviceName(name, kAudioInVariable);
    *kind = PcmDeviceKindOf(device);
    *result = MMSYSERR_NOERROR;
    if (*kind == PcmDeviceKind::Alsa) {
        if (auto source = CAlsaPcmSource::Open(device, rate)) {
            return source;
        }
        *kind = PcmDeviceKind::Silent;
    }
    auto source = std::make_unique<CPacedPcmSource>(rate, *kind == PcmDeviceKind::WavFile ? device : std::string());
    *result = source->Open();
    if (*result != MMSYSERR_NOERROR) {
        return nullptr;
    }
    return source;
}
