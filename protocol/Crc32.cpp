#include "protocol/Crc32.h"

#include <zlib.h>

DWORD Crc32(DWORD crc, const void* data, std::size_t length) {
    const auto* p = static_cast<const Bytef*>(data);
    uLong value = crc;
    // zlib takes the length as uInt; feed very long buffers in pieces.
    while (length > 0) {
        const uInt chunk = length > 0x40000000u ? 0x40000000u : static_cast<uInt>(length);
        value = crc32(value, p, chunk);
        p += chunk;
        length -= chunk;
    }
    return static_cast<DWORD>(value);
}
