#pragma once
// One node of the local play list: a recorded segment of a backup set, where its play starts and
// how it joins its neighbours. The local search builds the list in play order; the local player
// owns it while it plays and walks it forward and backward.

#include "platform/base/WinTypes.h"

#include <string>

// Which part of its segment a node plays.
enum PlayRangeKind : DWORD {
    kRangeWhole = 0,    // the whole segment
    kRangeInside = 1,   // a segment lying inside a searched range
    kRangeStartsAt = 2, // from the play offset (the range start) to the segment's end
    kRangeEndsAt = 3,   // from the segment's start to the play offset (the range end)
};

struct PlayListNode {
    BYTE audio_present = 0;
    DWORD index_slot = 0; // the segment's index record in the .idx
    std::string vih_path;
    std::string vid_path;
    DWORD segment_start = 0;
    DWORD play_time = 0;
    DWORD segment_end = 0;
    DWORD play_offset = 0; // .vih offset of the frame record where play starts (or ends, kRangeEndsAt)
    DWORD spare = 0;
    DWORD channel_mask = 0;
    DWORD audio_mask = 0;
    DWORD segment_first_offset = 0; // .vih offset of the segment's first frame record
    DWORD segment_end_offset = 0;   // .vih offset behind the segment's last frame record
    DWORD spare2 = 0;
    DWORD spare3 = 0;
    DWORD range_kind = kRangeWhole;
    BYTE continues_before = 0; // first node of a set that continues the previous set
    BYTE continues_after = 0;  // last node of a set that the next set continues

    // The .idx of the node's set.
    std::string IdxPath() const;
};
