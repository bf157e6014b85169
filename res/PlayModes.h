#pragma once
// The play modes of the play bar, the same numbers for remote playback and the local player.

enum LocalPlayMode : int {
    kPlayStepBack = 1,
    kPlayReverse = 2,
    kPlayForward = 3,
    kPlayPause = 4,
    kPlayStepForward = 7,
};
