#include "setup/RowBoxes.h"

#include "setupkit/SetupSkin.h"

#include <algorithm>

std::array<bool, kSetupRows> TickedRows(const std::array<CSkinCheckButton, kSetupRows>& boxes) {
    std::array<bool, kSetupRows> ticked{};
    for (std::size_t r = 0; r < boxes.size(); ++r) {
        ticked[r] = CSetupSkin::IsTicked(boxes[r]);
    }
    return ticked;
}

void TickRows(std::span<CSkinCheckButton> boxes, int count, bool tick) {
    const std::size_t rows = std::min(boxes.size(), std::size_t(std::max(count, 0)));
    for (std::size_t r = 0; r < rows; ++r) {
        CSetupSkin::Tick(boxes[r], tick);
    }
}
