#include "setup/VideoStandardChange.h"

#include "protocol/SetupDatabase.h"

#include <algorithm>

int StandardImageBudget(int standard) {
    return standard == kStandardPal ? 100 : 120;
}

int SingleRecordRate(int standard, int resolutionClass, int channels) {
    const int weight = resolutionClass == 0 ? 4 : (resolutionClass == 1 ? 2 : 1);
    const int group = channels <= 4 ? 4 : (channels <= 8 ? 8 : 16);
    return StandardImageBudget(standard) / (weight * group);
}

bool DefaultChannelRates(int standard, int channels, BYTE rates[16]) {
    if (channels != 4 && channels != 8 && channels != 16) {
        return false;
    }
    const int budget = StandardImageBudget(standard);
    const int base = budget / (4 * channels);
    const int extra = budget / 4 - base * channels;
    for (int k = 0; k < channels; ++k) {
        rates[k] = BYTE(k < extra ? base + 1 : base);
    }
    return true;
}

bool ApplyVideoStandard(SetupDatabase& db, int standard, int channels) {
    if ((standard != kStandardNtsc && standard != kStandardPal) || db.video_standard == standard) {
        return false;
    }
    const int n = std::clamp(channels, 1, kSetupChannels);
    db.video_standard = BYTE(standard);
    db.rec_single_rate = BYTE(SingleRecordRate(standard, db.rec_resolution_class, n));
    BYTE* const resolutions[] = {db.mode_a_resolution, db.mode_b_resolution, db.mode_c_resolution,
                                 db.mode_d_resolution, db.mode_e_resolution, db.mode_f_resolution};
    for (BYTE* array : resolutions) {
        std::fill(array, array + n, BYTE(0));
    }
    BYTE rates[kSetupChannels] = {};
    if (DefaultChannelRates(standard, n, rates)) {
        for (int k = 0; k < n; ++k) {
            db.mode_e_rate[k] = rates[k];
            db.mode_d_rate[k] = rates[k];
            db.mode_c_rate[k] = rates[k];
            db.mode_b_rate[k] = rates[k];
            db.mode_a_rate[k] = rates[k];
        }
    }
    return true;
}
