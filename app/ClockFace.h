#pragma once
// The digit clock's face: the time and date turned into strip cells (with the 12-hour mapping of the
// hour), and where each cell is drawn on the main window for the clock (mode 0) and for the
// playback time (mode 1).

#include "platform/base/WinTypes.h"
#include "res/BitmapIds.h"

#include <ctime>
#include <vector>

// Strips of the resource library.
constexpr UINT kClockStripLarge = IDB_CLOCK_TIME_DIGITS_0_9_AM_PM; // mode 0 time: 0-9, 10 AM, 11 PM, 12 colon, 13 blank
constexpr UINT kClockStripSmall = IDB_CLOCK_DATE_DIGITS_0_9_SEPARATOR;         // mode 0 date: 0-9, 10 separator
constexpr UINT kClockStripPlayTime = IDB_PLAYBACK_TIME_DIGITS_0_9_COLON_BLANK; // mode 1 time: 0-9, 10 colon, 11 blank
constexpr UINT kClockStripPlayDate = IDB_PLAYBACK_DATE_DIGITS_0_9_SEPARATOR;   // mode 1 date: 0-9, 10 separator
constexpr UINT kClockStripPlayMark = IDB_PLAYBACK_AM_PM_MARKS;                 // mode 1: 0 AM, 1 PM

constexpr BYTE kCellAm = 10;
constexpr BYTE kCellPm = 11;
constexpr BYTE kCellColon = 12;
constexpr BYTE kCellBlank = 13;
constexpr BYTE kCellSeparator = 10;

struct ClockCells {
    BYTE hour[2];
    BYTE minute[2];
    BYTE second[2];
    BYTE mark; // kCellAm or kCellPm
    BYTE year[4];
    BYTE month[2];
    BYTE day[2];
};

struct ClockDraw {
    UINT strip;
    int cell;
    RECT rect;
};

class CClockFace {
public:
    // From calendar fields (month 1-12); the hour in 12-hour form, blank tens where the clock shows
    // a single digit.
    static ClockCells Cells(int year, int month, int day, int hour, int minute, int second);
    static ClockCells CellsOfTm(const std::tm& tm);
    // What the clock draws: mode 0 the time row and, for date formats 0-2, the date row; mode 1 the
    // playback row.
    static std::vector<ClockDraw> DrawList(int mode, const ClockCells& cells, DWORD dateFormat);
    // The rectangles the clock of a mode paints (for invalidation).
    static std::vector<RECT> Areas(int mode);
};
