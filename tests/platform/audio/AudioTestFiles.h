#pragma once
// WAVE files for the sound tests: fixtures written by hand (so the reader is not tested against
// itself) and the samples of files the devices wrote.

#include "platform/base/WinTypes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace audiotest {

inline void PutLe(std::vector<BYTE>& out, DWORD value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(BYTE(value >> (8 * i)));
    }
}

// A RIFF WAVE file: format tag, bits, channels, rate, and the data bytes as they stand.
inline std::vector<BYTE> MakeWave(WORD tag, WORD bits, WORD channels, DWORD rate, const std::vector<BYTE>& data) {
    std::vector<BYTE> f;
    const WORD align = WORD(bits / 8 * channels);
    f.insert(f.end(), {'R', 'I', 'F', 'F'});
    PutLe(f, DWORD(36 + data.size()), 4);
    f.insert(f.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(f, 16, 4);
    PutLe(f, tag, 2);
    PutLe(f, channels, 2);
    PutLe(f, rate, 4);
    PutLe(f, rate * align, 4);
    PutLe(f, align, 2);
    PutLe(f, bits, 2);
    f.insert(f.end(), {'d', 'a', 't', 'a'});
    PutLe(f, DWORD(data.size()), 4);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<BYTE> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The 16-bit samples of a PCM file the output device wrote (its 44-byte header checked).
inline std::vector<SHORT> ReadWrittenSamples(const std::filesystem::path& path) {
    const std::vector<BYTE> f = ReadFile(path);
    std::vector<SHORT> samples;
    if (f.size() < 44) {
        return samples;
    }
    const DWORD declared = DWORD(f[40]) | DWORD(f[41]) << 8 | DWORD(f[42]) << 16 | DWORD(f[43]) << 24;
    for (std::size_t i = 44; i + 1 < f.size() && i - 44 < declared; i += 2) {
        samples.push_back(SHORT(f[i] | (f[i + 1] << 8)));
    }
    return samples;
}

} // namespace audiotest
