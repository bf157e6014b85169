#pragma once
// A change of the recorder's video standard resets the recording fields that depend on the image
// budget of the standard: 120 images per second for NTSC, 100 for PAL.

#include "platform/base/WinTypes.h"

struct SetupDatabase;

constexpr int kStandardNtsc = 0;
constexpr int kStandardPal = 1;

// Images per second of a standard (NTSC for anything but PAL).
int StandardImageBudget(int standard);
// The single record rate for a resolution class (0 4CIF, 1 2CIF, other CIF) and channel count.
int SingleRecordRate(int standard, int resolutionClass, int channels);
// The per-channel rates at 4CIF for 4, 8 or 16 channels, the budget spread as evenly as it goes with
// the first channels taking the remainder; false (nothing written) for other counts.
bool DefaultChannelRates(int standard, int channels, BYTE rates[16]);
// Sets the standard and, when it changes, the single rate (byte 647), the resolutions of channels
// 0..channels - 1 in all six record modes (4CIF) and the rates of modes A to E. False when the
// standard was already set (nothing is written) or is not 0 or 1.
bool ApplyVideoStandard(SetupDatabase& db, int standard, int channels);
