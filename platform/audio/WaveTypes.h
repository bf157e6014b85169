#pragma once
// The records and codes of the wave devices: the format description, the buffer header a caller
// hands to a device, the messages a device gives its buffers back with, and the results.

#include "platform/audio/MmResult.h"
#include "platform/base/WinTypes.h"

constexpr WORD WAVE_FORMAT_PCM = 1;
constexpr WORD WAVE_FORMAT_MULAW = 7;

constexpr UINT WAVE_MAPPER = 0xFFFFFFFF;

// A played buffer (wave out) and a filled buffer (wave in), as the device's callback receives them.
constexpr UINT MM_WOM_DONE = 0x3BD;
constexpr UINT MM_WIM_DATA = 0x3C0;

constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT WAVERR_BADFORMAT = 32;
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

constexpr DWORD WHDR_DONE = 0x01;
constexpr DWORD WHDR_PREPARED = 0x02;
constexpr DWORD WHDR_INQUEUE = 0x10;

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;
