#pragma once
// The record-rate budget: the recorder records all its channels from one budget of images per second
// (120 under NTSC, 100 under PAL), a channel costing its rate times the weight of its resolution
// (4CIF 4, 2CIF 2, CIF 1). These rules are kept apart from the pages' windows: the pages read their
// rows, ask here what a move may grant, and write the answer into the record.

#include "platform/base/WinTypes.h"

#include <array>
#include <vector>

constexpr int kRecordRows = 16;

// Resolution codes of the record pages.
constexpr int kResolution4Cif = 0;
constexpr int kResolution2Cif = 1;
constexpr int kResolutionCif = 2;

// Images per second shared by the channels: 120 for NTSC (standard byte 0), 100 for any other value.
int RecordBudget(int standard);
// The top of a rate slider: 30 under NTSC, 25 otherwise.
int RecordRateMax(int standard);
// The cost of one image at a resolution code. A code the pages never write counts as 4CIF, the
// dearest, so that a stored oddity can never let the channels exceed the budget.
int ResolutionWeight(int code);
// What each of `count` channels of this weight may still take once `used` is spent: (budget - used)
// / (weight x count), truncated toward zero; negative when the budget is already overspent. An empty
// count or weight grants nothing.
int GetRemainingRate(int budget, int weight, int count, int used);

// Rates are edited in groups of four when channel 1 records at CIF on a recorder of more than four
// channels.
bool IsGroupMode(const BYTE* resolutions, int channels);
// The rows of row's group of four that the recorder has.
std::vector<int> GroupRows(int row, int channels);

// The default distribution of a resolution code (codes other than 0 and 1 are CIF): the whole budget
// spread as evenly as it goes over the channels, the first channels taking the remainder. False,
// with nothing written, for a channel count other than 4, 8 or 16.
bool DefaultRates(int standard, int code, int channels, BYTE rates[kRecordRows]);

// The general record page's single rate: budget / (weight x m), m being 4 up to four channels, 8 up
// to eight and 16 above.
int SingleRateMax(int standard, int code, int channels);

// A move of row's rate slider to `position`, as the page sees it when the slider reports.
struct RateMoveInput {
    int standard = 0;
    int channels = 16;
    const BYTE* rates = nullptr;       // 16 stored rates
    const BYTE* resolutions = nullptr; // 16 stored resolution codes
    std::array<bool, kRecordRows> ticked{};
    int row = 0;
    int position = 0;
};
// What the move grants: the rate every row of the edit set takes, and those rows in row order.
struct RateMove {
    int value = 0;
    std::vector<int> rows;
};
// The budget rule of a rate move. The value is the smaller of the position and the remaining rate,
// never below 0 nor above the slider's top, and never leaves every channel at rate 0.
RateMove PlanRateMove(const RateMoveInput& input);

// The rows an edit of `row` reaches outside group mode: the row itself, and every ticked row of the
// recorder's when the row is ticked; in row order.
std::vector<int> TickedRows(int row, const std::array<bool, kRecordRows>& ticked, int channels);

// A sensitivity slider reports the step under the pointer rounded down (0..3); the thumb goes one step
// further (1..3; the very end of the track stays at 3) and the stored sensitivity is 3 less that.
int SensitivityThumb(int position);
// The text of a sensitivity slider at a position: 5206, 5205, 5204 for 1, 2, 3, none (0) otherwise.
UINT SensitivityTextId(int position);
// The day count of a position of the days slider: whole fives, 5 to 90, the top step reaching 90.
int DayCountOfPosition(int position);
