#pragma once
// The RIFF WAVE files the sound devices can stand on: the output device named by a .wav path
// writes what it plays as 16-bit PCM, the input device reads its samples from one.

#include "platform/base/WinTypes.h"

#include <array>
#include <cstddef>

// What a WAVE file says of its samples; offsets and sizes are in bytes from the file's start.
struct WavInfo {
    WORD formatTag = 0;
    WORD channels = 0;
    DWORD samplesPerSec = 0;
    WORD bitsPerSample = 0;
    WORD blockAlign = 0;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0; // whole blocks only, and never past the end of the bytes given
};

constexpr std::size_t kWavHeaderSize = 44;
// Input files are read whole; larger ones are refused (about 70 minutes of 16-bit mono at 8000 Hz).
constexpr std::size_t kWavMaxFileSize = std::size_t(64) << 20;

// Parses the chunks of a WAVE file held in memory. Only mono 16-bit PCM and mono 8-bit µ-law are
// accepted; false for anything else, for a truncated or malformed file, or one without samples
// chunk. A data chunk longer than the bytes present is cut to them.
bool ParseWav(const BYTE* bytes, std::size_t size, WavInfo& info);

// The 44-byte header of a mono 16-bit PCM file holding dataBytes of samples.
std::array<BYTE, kWavHeaderSize> MakeWavHeader(DWORD samplesPerSec, DWORD dataBytes);
