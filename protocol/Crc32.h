#pragma once
// The CRC-32 of IEEE 802.3 (reflected, complemented on entry and exit), as zlib computes it: a first
// call passes 0 as crc.

#include "platform/base/WinTypes.h"

#include <cstddef>

DWORD Crc32(DWORD crc, const void* data, std::size_t length);
