#include "setup/RecordBudget.h"

#include "res/TextIds.h"

#include <algorithm>

namespace {

bool IsRecordRow(int row, int channels) {
    return row >= 0 && row < channels && row < kRecordRows;
}

int RowCount(int channels) {
    return std::clamp(channels, 0, kRecordRows);
}

} // namespace

int RecordBudget(int standard) {
    return standard == 0 ? 120 : 100;
}

int RecordRateMax(int standard) {
    return standard == 0 ? 30 : 25;
}

int ResolutionWeight(int code) {
    switch (code) {
    case kResolution2Cif:
        return 2;
    case kResolutionCif:
        return 1;
    default:
        return 4;
    }
}

int GetRemainingRate(int budget, int weight, int count, int used) {
    if (weight <= 0 || count <= 0) {
        return 0;
    }
    return (budget - used) / (weight * count);
}

bool IsGroupMode(const BYTE* resolutions, int channels) {
    return resolutions != nullptr && resolutions[0] == kResolutionCif && channels > 4;
}

std::vector<int> GroupRows(int row, int channels) {
    std::vector<int> rows;
    if (!IsRecordRow(row, channels)) {
        return rows;
    }
    const int first = row / 4 * 4;
    for (int i = first; i < first + 4 && i < RowCount(channels); ++i) {
        rows.push_back(i);
    }
    return rows;
}

std::vector<int> TickedRows(int row, const std::array<bool, kRecordRows>& ticked, int channels) {
    std::vector<int> rows;
    if (!IsRecordRow(row, channels)) {
        return rows;
    }
    if (!ticked[std::size_t(row)]) {
        rows.push_back(row);
        return rows;
    }
    for (int i = 0; i < RowCount(channels); ++i) {
        if (i == row || ticked[std::size_t(i)]) {
            rows.push_back(i);
        }
    }
    return rows;
}

bool DefaultRates(int standard, int code, int channels, BYTE rates[kRecordRows]) {
    if (channels != 4 && channels != 8 && channels != 16) {
        return false;
    }
    const int budget = RecordBudget(standard);
    const int weight = code == kResolution4Cif ? 4 : (code == kResolution2Cif ? 2 : 1);
    const int base = budget / (weight * channels);
    const int spare = (budget - weight * channels * base) / weight;
    for (int i = 0; i < channels; ++i) {
        rates[i] = BYTE(i < spare ? base + 1 : base);
    }
    return true;
}

int SingleRateMax(int standard, int code, int channels) {
    const int m = channels <= 4 ? 4 : (channels <= 8 ? 8 : 16);
    return RecordBudget(standard) / (ResolutionWeight(code) * m);
}

RateMove PlanRateMove(const RateMoveInput& in) {
    RateMove move;
    const int n = RowCount(in.channels);
    if (in.rates == nullptr || in.resolutions == nullptr || !IsRecordRow(in.row, n)) {
        return move;
    }
    int count = 0;
    std::array<bool, kRecordRows> inSet{};
    if (IsGroupMode(in.resolutions, n)) {
        move.rows = GroupRows(in.row, n);
        // The whole group moves together and shares what the other groups leave.
        count = 4;
    } else {
        move.rows = TickedRows(in.row, in.ticked, n);
        count = int(move.rows.size());
    }
    for (int i : move.rows) {
        inSet[std::size_t(i)] = true;
    }
    int used = 0;
    for (int i = 0; i < n; ++i) {
        if (!inSet[std::size_t(i)]) {
            used += in.rates[i] * ResolutionWeight(in.resolutions[i]);
        }
    }
    const int remaining =
        GetRemainingRate(RecordBudget(in.standard), ResolutionWeight(in.resolutions[in.row]), count, used);
    // A budget the stored rates already overspend grants nothing (rather than a wrapped-around rate).
    move.value = std::clamp(std::min(in.position, remaining), 0, RecordRateMax(in.standard));
    int total = 0;
    for (int i = 0; i < n; ++i) {
        total += inSet[std::size_t(i)] ? move.value : in.rates[i];
    }
    // The channels are never all left at rate 0; one image fits, since every other rate is then 0.
    if (total == 0) {
        move.value = 1;
    }
    return move;
}

int SensitivityThumb(int position) {
    return std::clamp(position + 1, 1, 3);
}

UINT SensitivityTextId(int position) {
    switch (position) {
    case 1:
        return IDS_LOW;
    case 2:
        return IDS_MIDDLE;
    case 3:
        return IDS_HIGH;
    default:
        return 0;
    }
}

int DayCountOfPosition(int position) {
    const int days = 5 * (std::max(position, 0) / 5);
    if (days > 85) {
        return 90;
    }
    return std::max(days, 5);
}
