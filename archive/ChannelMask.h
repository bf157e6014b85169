#pragma once
// The search frame's channel mask (bit n = channel n + 1) and how the channel pages change it.

#include "platform/base/WinTypes.h"

// The recorder's channel count as the pages use it: 4, 8 or 16 (anything else is served as 16).
int NormaliseChannelCount(int channelNum);
// Bits 0 to count - 1.
DWORD AllChannelsMask(int count);
// On or Off of row `row`: that row, and when its check box is checked every other checked row,
// among the rows below `count`. Rows at or beyond the count keep their bits.
DWORD SwitchChannelRows(DWORD mask, DWORD checkedRows, int count, int row, bool on);
