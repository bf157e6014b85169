#pragma once
// The row check boxes of the per-channel pages: what their ticks say, and ticking them all at once.

#include "controls/SkinCheckButton.h"
#include "setup/SetupRules.h"

#include <array>
#include <span>

// The tick of each row box, for RowsReachedBy.
std::array<bool, kSetupRows> TickedRows(const std::array<CSkinCheckButton, kSetupRows>& boxes);

// Ticks (or clears) the boxes of the first `count` rows; the rows past them stay as they are.
void TickRows(std::span<CSkinCheckButton> boxes, int count, bool tick);
