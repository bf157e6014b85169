// The record-rate budget: default distributions, the single rate, what a rate move may grant, and
// the sensitivity and day-count steps.

#include "setup/RecordBudget.h"

#include "res/TextIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kNtsc = 0;
constexpr int kPal = 1;

std::vector<int> Rates(const BYTE (&rates)[16], int n) {
    return std::vector<int>(rates, rates + n);
}

TEST(RecordBudget, DefaultDistributionsSpendTheWholeBudget) {
    const struct {
        int standard;
        int code;
        int channels;
        std::vector<int> rates;
    } cases[] = {
        {kNtsc, kResolution4Cif, 16, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1}},
        {kPal, kResolution2Cif, 8, {7, 7, 6, 6, 6, 6, 6, 6}},
        {kNtsc, kResolutionCif, 4, {30, 30, 30, 30}},
        {kNtsc, kResolution4Cif, 4, {8, 8, 7, 7}},
        {kPal, kResolutionCif, 4, {25, 25, 25, 25}},
        {kPal, kResolution4Cif, 16, {2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1}},
        {kNtsc, 9, 8, {15, 15, 15, 15, 15, 15, 15, 15}}, // an unknown code spreads as CIF
    };
    for (const auto& c : cases) {
        BYTE rates[16] = {};
        ASSERT_TRUE(DefaultRates(c.standard, c.code, c.channels, rates));
        EXPECT_EQ(Rates(rates, c.channels), c.rates) << c.standard << " " << c.code << " " << c.channels;
    }
    // Every count the recorders have, at every resolution and standard: the cost is exactly the budget
    // and no rate passes its slider's top.
    for (int standard : {kNtsc, kPal}) {
        for (int code : {0, 1, 2}) {
            for (int n : {4, 8, 16}) {
                BYTE rates[16] = {};
                ASSERT_TRUE(DefaultRates(standard, code, n, rates));
                int cost = 0;
                for (int i = 0; i < n; ++i) {
                    cost += rates[i] * ResolutionWeight(code);
                    EXPECT_LE(rates[i], RecordRateMax(standard));
                }
                EXPECT_EQ(cost, RecordBudget(standard)) << standard << " " << code << " " << n;
            }
        }
    }
}

TEST(RecordBudget, OtherChannelCountsKeepTheRates) {
    for (int n : {0, 1, 6, 12, 17}) {
        BYTE rates[16];
        for (BYTE& rate : rates)
            rate = 99;
        EXPECT_FALSE(DefaultRates(kNtsc, kResolution4Cif, n, rates)) << n;
        for (BYTE rate : rates)
            EXPECT_EQ(rate, 99) << n;
    }
}

TEST(RecordBudget, SingleRateByChannelsResolutionAndStandard) {
    const struct {
        int channels;
        int ntsc[3];
        int pal[3];
    } table[] = {
        {4, {7, 15, 30}, {6, 12, 25}}, {8, {3, 7, 15}, {3, 6, 12}},
        {16, {1, 3, 7}, {1, 3, 6}},    {2, {7, 15, 30}, {6, 12, 25}}, // up to four channels count as four
        {5, {3, 7, 15}, {3, 6, 12}},                                  // five to eight as eight
    };
    for (const auto& row : table) {
        for (int code = 0; code < 3; ++code) {
            EXPECT_EQ(SingleRateMax(kNtsc, code, row.channels), row.ntsc[code]) << row.channels << " " << code;
            EXPECT_EQ(SingleRateMax(kPal, code, row.channels), row.pal[code]) << row.channels << " " << code;
        }
    }
    // A resolution byte outside the list counts as 4CIF; any standard byte but 0 is PAL.
    EXPECT_EQ(SingleRateMax(kNtsc, 3, 4), 7);
    EXPECT_EQ(SingleRateMax(200, 2, 4), 25);
}

struct MoveCase {
    std::string name;
    int standard;
    int channels;
    std::vector<int> rates;
    std::vector<int> resolutions; // one value for every row when given alone
    std::vector<int> ticked;
    int row;
    int position;
    int value;
    std::vector<int> rows;
};

RateMove Plan(const MoveCase& c) {
    BYTE rates[16] = {};
    BYTE resolutions[16] = {};
    for (int i = 0; i < 16; ++i) {
        rates[i] = BYTE(std::size_t(i) < c.rates.size() ? c.rates[std::size_t(i)] : 0);
        resolutions[i] = BYTE(c.resolutions.size() == 1
                                  ? c.resolutions[0]
                                  : (std::size_t(i) < c.resolutions.size() ? c.resolutions[std::size_t(i)] : 0));
    }
    RateMoveInput input;
    input.standard = c.standard;
    input.channels = c.channels;
    input.rates = rates;
    input.resolutions = resolutions;
    for (int r : c.ticked)
        input.ticked[std::size_t(r)] = true;
    input.row = c.row;
    input.position = c.position;
    return PlanRateMove(input);
}

TEST(RecordBudget, RateMovesStayWithinTheBudget) {
    const std::vector<int> cif16 = {8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 7, 7, 7, 7, 7, 7};
    const MoveCase cases[] = {
        {"raising a channel of a full budget is refused", kNtsc, 4, {8, 8, 7, 7}, {0}, {}, 3, 12, 7, {3}},
        {"lowering another frees room", kNtsc, 4, {5, 8, 7, 7}, {0}, {}, 3, 30, 10, {3}},
        {"a lower position is granted as it is", kNtsc, 4, {8, 8, 7, 7}, {0}, {}, 0, 3, 3, {0}},
        {"nothing left snaps to 0", kNtsc, 4, {10, 10, 10, 0}, {0}, {}, 3, 5, 0, {3}},
        {"every channel at 0 keeps one image", kPal, 4, {0, 0, 0, 0}, {0}, {}, 2, 0, 1, {2}},
        {"ticked rows share what the others leave",
         kPal,
         8,
         {4, 9, 4, 4, 4, 4, 4, 4},
         {1},
         {0, 1, 2},
         1,
         25,
         10,
         {0, 1, 2}},
        {"an unticked row moves alone among ticked ones",
         kPal,
         8,
         {4, 4, 4, 4, 4, 4, 4, 4},
         {1},
         {0, 2},
         1,
         25,
         22,
         {1}},
        {"a ticked row alone counts once", kNtsc, 4, {0, 0, 0, 0}, {2}, {3}, 3, 30, 30, {3}},
        {"group mode moves channels 5-8 together", kNtsc, 16, cif16, {2}, {}, 5, 30, 8, {4, 5, 6, 7}},
        {"group mode grants a lower position to the group", kNtsc, 16, cif16, {2}, {}, 13, 2, 2, {12, 13, 14, 15}},
        {"group mode ignores ticks", kNtsc, 8, {15, 15, 15, 15, 15, 15, 15, 15}, {2}, {0, 7}, 1, 20, 15, {0, 1, 2, 3}},
        {"group mode only from CIF on channel 1",
         kNtsc,
         8,
         {5, 15, 15, 15, 15, 15, 15, 15},
         {0, 2, 2, 2, 2, 2, 2, 2},
         {},
         1,
         20,
         10,
         {1}},
        {"no group mode on four channels", kNtsc, 4, {30, 30, 30, 30}, {2}, {}, 1, 29, 29, {1}},
        {"the slider's top bounds a large remainder", kNtsc, 4, {0, 0, 0, 0}, {2}, {}, 0, 45, 30, {0}},
        {"an overspent budget grants 0, not a wrapped rate",
         kNtsc,
         16,
         {30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 0},
         {1},
         {},
         15,
         20,
         0,
         {15}},
        {"an overspent 4CIF budget grants 0", kNtsc, 4, {30, 30, 30, 0}, {0}, {}, 3, 10, 0, {3}},
        {"an unknown code weighs as 4CIF on the moved row too",
         kNtsc,
         4,
         {0, 8, 8, 8},
         {9, 0, 0, 0},
         {},
         0,
         30,
         6,
         {0}},
        {"an unknown code weighs as 4CIF on the other rows", kNtsc, 4, {25, 0, 0, 0}, {9, 2, 2, 2}, {}, 1, 30, 20, {1}},
        {"rows beyond the recorder's take no part", kNtsc, 4, {8, 8, 7, 0, 30, 30, 30, 30}, {0}, {}, 3, 30, 7, {3}},
        {"a row beyond the recorder's moves nothing", kNtsc, 4, {8, 8, 7, 7}, {0}, {}, 6, 30, 0, {}},
    };
    for (const MoveCase& c : cases) {
        const RateMove move = Plan(c);
        EXPECT_EQ(move.value, c.value) << c.name;
        EXPECT_EQ(move.rows, c.rows) << c.name;
    }
}

TEST(RecordBudget, RemainingRateTruncatesTowardZeroAndGuardsEmptyDivisors) {
    EXPECT_EQ(GetRemainingRate(120, 4, 1, 92), 7);
    EXPECT_EQ(GetRemainingRate(100, 2, 3, 40), 10);
    EXPECT_EQ(GetRemainingRate(120, 4, 1, 130), -2); // -10 / 4
    EXPECT_EQ(GetRemainingRate(120, 0, 1, 0), 0);
    EXPECT_EQ(GetRemainingRate(120, 1, 0, 0), 0);
}

TEST(RecordBudget, SensitivityAndDaySteps) {
    const struct {
        int position;
        int thumb;
        UINT text;
    } sensitivity[] = {{0, 1, IDS_LOW}, {1, 2, IDS_MIDDLE}, {2, 3, IDS_HIGH}, {3, 3, IDS_HIGH}};
    for (const auto& s : sensitivity) {
        EXPECT_EQ(SensitivityThumb(s.position), s.thumb) << s.position;
        EXPECT_EQ(SensitivityTextId(SensitivityThumb(s.position)), s.text) << s.position;
    }
    EXPECT_EQ(SensitivityTextId(0), 0u);
    EXPECT_EQ(SensitivityTextId(4), 0u);

    const std::pair<int, int> days[] = {{42, 40}, {2, 5}, {0, 5}, {5, 5}, {89, 85}, {90, 90}, {14, 10}};
    for (const auto& [position, count] : days)
        EXPECT_EQ(DayCountOfPosition(position), count) << position;
}

} // namespace
