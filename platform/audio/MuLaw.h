#pragma once
// G.711 µ-law: 8-bit codes to 16-bit linear samples and back. Code 0xFF (and 0x7F) is silence.

#include "platform/base/WinTypes.h"

#include <cstddef>

SHORT MuLawToLinear(BYTE code);
BYTE LinearToMuLaw(SHORT sample);

// Whole buffers; count samples each.
void MuLawDecode(const BYTE* codes, SHORT* samples, std::size_t count);
void MuLawEncode(const SHORT* samples, BYTE* codes, std::size_t count);
