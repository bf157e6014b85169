#pragma once
// Opening ALSA PCM devices the way both directions need them.

#include "platform/base/WinTypes.h"

#include <string>

struct _snd_pcm;

// Opens `device` without waiting for 16-bit mono samples at exactly `rate`, with periods of about
// 64 ms and room for four. Null when it cannot be had or is ALSA's null device. *periodMs receives
// the period's length.
_snd_pcm* OpenAlsaPcm(const std::string& device, bool capture, DWORD rate, int* periodMs);
