#include "app/ClockFace.h"

#include <algorithm>

namespace {

BYTE Digit(int value, int divisor) {
    return BYTE((value / divisor) % 10);
}

RECT Rect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

void Add(std::vector<ClockDraw>& out, UINT strip, int cell, int left, int top, int width, int height) {
    out.push_back({strip, cell, Rect(left, top, left + width, top + height)});
}

// The date's ten cells in the order of the date format (separators as kCellSeparator); false for a
// format without a date.
bool DateCells(const ClockCells& c, DWORD format, BYTE out[10]) {
    const BYTE sep = kCellSeparator;
    const BYTE y[4] = {c.year[0], c.year[1], c.year[2], c.year[3]};
    switch (format) {
    case 0: {
        const BYTE cells[10] = {y[0], y[1], y[2], y[3], sep, c.month[0], c.month[1], sep, c.day[0], c.day[1]};
        std::copy(cells, cells + 10, out);
        return true;
    }
    case 1: {
        const BYTE cells[10] = {c.month[0], c.month[1], sep, c.day[0], c.day[1], sep, y[0], y[1], y[2], y[3]};
        std::copy(cells, cells + 10, out);
        return true;
    }
    case 2: {
        const BYTE cells[10] = {c.day[0], c.day[1], sep, c.month[0], c.month[1], sep, y[0], y[1], y[2], y[3]};
        std::copy(cells, cells + 10, out);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

ClockCells CClockFace::Cells(int year, int month, int day, int hour, int minute, int second) {
    ClockCells c{};
    int t = (hour / 10) % 10;
    int u = hour % 10;
    bool pm = false;
    if (hour == 0) {
        t = 1;
        u = 2;
    } else if (hour < 10) {
        t = kCellBlank;
    } else if (hour == 12) {
        pm = true;
    } else if (hour >= 13 && hour <= 19) {
        t = kCellBlank;
        u -= 2;
        pm = true;
    } else if (hour == 20 || hour == 21) {
        t = kCellBlank;
        u += 8;
        pm = true;
    } else if (hour >= 22) {
        t = 1;
        u -= 2;
        pm = true;
    }
    c.hour[0] = BYTE(t);
    c.hour[1] = BYTE(u);
    c.minute[0] = Digit(minute, 10);
    c.minute[1] = Digit(minute, 1);
    c.second[0] = Digit(second, 10);
    c.second[1] = Digit(second, 1);
    c.mark = pm ? kCellPm : kCellAm;
    c.year[0] = Digit(year, 1000);
    c.year[1] = Digit(year, 100);
    c.year[2] = Digit(year, 10);
    c.year[3] = Digit(year, 1);
    c.month[0] = Digit(month, 10);
    c.month[1] = Digit(month, 1);
    c.day[0] = Digit(day, 10);
    c.day[1] = Digit(day, 1);
    return c;
}

ClockCells CClockFace::CellsOfTm(const std::tm& tm) {
    return Cells(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::vector<ClockDraw> CClockFace::DrawList(int mode, const ClockCells& c, DWORD dateFormat) {
    std::vector<ClockDraw> out;
    BYTE date[10];
    const bool hasDate = DateCells(c, dateFormat, date);
    if (mode == 1) {
        const int top = 632;
        const int h = 9;
        Add(out, kClockStripPlayMark, c.mark == kCellPm ? 1 : 0, 518, top, 18, h);
        const UINT s = kClockStripPlayTime;
        Add(out, s, c.hour[0] == kCellBlank ? 11 : c.hour[0], 538, top, 7, h);
        Add(out, s, c.hour[1], 545, top, 7, h);
        Add(out, s, 10, 551, top, 7, h);
        Add(out, s, c.minute[0], 557, top, 7, h);
        Add(out, s, c.minute[1], 564, top, 7, h);
        Add(out, s, 10, 570, top, 7, h);
        Add(out, s, c.second[0], 576, top, 7, h);
        Add(out, s, c.second[1], 583, top, 7, h);
        if (hasDate) {
            // Separators overlap their neighbours by one pixel.
            static const int kYearFirst[10] = {600, 607, 614, 621, 627, 633, 640, 646, 652, 659};
            static const int kGroupsFirst[10] = {600, 607, 613, 619, 626, 632, 638, 645, 652, 659};
            const int* xs = dateFormat == 0 ? kYearFirst : kGroupsFirst;
            for (int i = 0; i < 10; ++i) {
                Add(out, kClockStripPlayDate, date[i], xs[i], top, 7, h);
            }
        }
        return out;
    }
    const int top = 643;
    const int h = 18;
    const UINT s = kClockStripLarge;
    Add(out, s, c.mark, 66, top, 13, h);
    Add(out, s, c.hour[0], 79, top, 13, h);
    Add(out, s, c.hour[1], 92, top, 13, h);
    Add(out, s, kCellColon, 105, top, 13, h);
    Add(out, s, c.minute[0], 118, top, 13, h);
    Add(out, s, c.minute[1], 131, top, 13, h);
    Add(out, s, kCellColon, 144, top, 13, h);
    Add(out, s, c.second[0], 157, top, 13, h);
    Add(out, s, c.second[1], 170, top, 13, h);
    if (hasDate) {
        for (int i = 0; i < 10; ++i) {
            Add(out, kClockStripSmall, date[i], 111 + 7 * i, 663, 7, 11);
        }
    }
    return out;
}

std::vector<RECT> CClockFace::Areas(int mode) {
    if (mode == 1) {
        return {Rect(518, 632, 666, 641)};
    }
    return {Rect(66, 643, 183, 661), Rect(111, 663, 181, 674)};
}
