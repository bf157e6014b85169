// Arbitrary bytes as a WAVE file for the recording device: the reader must accept only what it can
// read inside the bytes, and the samples it points at are decoded as the device would.

#include "platform/audio/MuLaw.h"
#include "platform/audio/WavFile.h"
#include "platform/audio/WaveTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WavInfo info;
    if (!ParseWav(data, size, info)) {
        return 0;
    }
    if (info.dataOffset > size || info.dataSize > size - info.dataOffset) {
        __builtin_trap();
    }
    const BYTE* samples = data + info.dataOffset;
    std::vector<SHORT> decoded(info.formatTag == WAVE_FORMAT_MULAW ? info.dataSize : info.dataSize / 2);
    if (info.formatTag == WAVE_FORMAT_MULAW) {
        MuLawDecode(samples, decoded.data(), decoded.size());
    } else {
        for (std::size_t i = 0; i < decoded.size(); ++i) {
            decoded[i] = static_cast<SHORT>(samples[2 * i] | (samples[2 * i + 1] << 8));
        }
    }
    return 0;
}
