#include "archive/ChannelMask.h"

int NormaliseChannelCount(int channelNum) {
    return channelNum == 4 || channelNum == 8 || channelNum == 16 ? channelNum : 16;
}

DWORD AllChannelsMask(int count) {
    if (count <= 0) {
        return 0;
    }
    return count >= 32 ? 0xFFFFFFFFu : (1u << count) - 1u;
}

DWORD SwitchChannelRows(DWORD mask, DWORD checkedRows, int count, int row, bool on) {
    if (row < 0 || row >= count || row >= 32) {
        return mask;
    }
    const bool group = (checkedRows & (1u << row)) != 0;
    for (int r = 0; r < count && r < 32; ++r) {
        const DWORD bit = 1u << r;
        if (r != row && !(group && (checkedRows & bit) != 0)) {
            continue;
        }
        mask = on ? (mask | bit) : (mask & ~bit);
    }
    return mask;
}
