#pragma once
// The texts drawn over a tile and under a still image, built without a window so they can be
// checked alone: fitting a camera name to a tile, the two on-screen lines, the frame rate and the
// picture time.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Camera names are at most this many characters (a 32-byte slot with its terminator).
constexpr std::size_t kMaxNameLength = 31;

// The width of a text in pixels with the on-screen font.
using TextWidthFn = std::function<int(std::string_view)>;

// Shortens a name to fit a tile of that width: below 199 pixels and from 538 on it stays whole;
// from 199 to 266 characters are dropped from its end while it is wider than 69 pixels, from 267 to
// 401 while wider than 121, from 402 to 537 (only when it is at least 213 wide) while wider than
// 212. A shortened name ends in "..."; the result, dots included, is never longer than 31 characters.
std::string FitText(int tileWidth, std::string_view name, const TextWidthFn& width);

// A name from a fixed slot of the recorder, which need not be terminated: at most `size` bytes, up
// to the first zero, then cut to 31 characters.
std::string BoundedName(const char* slot, std::size_t size);

// Frames per second from the pictures drawn in the 2-second period: (count + 1) / 2, truncated.
constexpr DWORD FrameRateFromCount(DWORD count) {
    return (count + 1) / 2;
}

// The width the top line reports: 360 for a 352-wide picture, else 720.
constexpr int ShownWidth(int width) {
    return width == 352 ? 360 : 720;
}

// "name WxH" and "label  fps" (fps with at least two digits).
std::string FormatTopLine(std::string_view name, int shownWidth, int height);
std::string FormatBottomLine(std::string_view label, DWORD frameRate);

// The picture time under a still image: negative times count as 0, broken down as UTC; date format
// 0 "YYYY-MM-DD  hh:mm:ss", 1 "MM-DD-YYYY  hh:mm:ss", 2 "DD-MM-YYYY  hh:mm:ss" (other values as 0).
std::string FormatPictureTime(long long seconds, int dateFormat);
