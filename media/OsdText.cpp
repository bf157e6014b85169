#include "media/OsdText.h"

#include "platform/base/Clock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

std::string FitText(int tileWidth, std::string_view name, const TextWidthFn& width) {
    std::string text(name.substr(0, std::min(name.size(), kMaxNameLength)));
    int limit = 0;
    if (tileWidth >= 199 && tileWidth <= 266) {
        limit = 69;
    } else if (tileWidth >= 267 && tileWidth <= 401) {
        limit = 121;
    } else if (tileWidth >= 402 && tileWidth <= 537) {
        limit = width(text) >= 213 ? 212 : 0;
    }
    if (limit == 0) {
        return text;
    }
    bool dropped = false;
    while (!text.empty() && width(text) > limit) {
        text.pop_back();
        dropped = true;
    }
    if (!dropped) {
        return text;
    }
    // The dots must still fit the name slot.
    if (text.size() + 3 > kMaxNameLength) {
        text.resize(kMaxNameLength - 3);
    }
    return text + "...";
}

std::string BoundedName(const char* slot, std::size_t size) {
    if (slot == nullptr) {
        return {};
    }
    const std::size_t n = strnlen(slot, size);
    return std::string(slot, std::min(n, kMaxNameLength));
}

std::string FormatTopLine(std::string_view name, int shownWidth, int height) {
    char line[128];
    std::snprintf(line, sizeof line, "%.*s %dx%d", int(name.size()), name.data(), shownWidth, height);
    return line;
}

std::string FormatBottomLine(std::string_view label, DWORD frameRate) {
    char line[128];
    std::snprintf(line, sizeof line, "%.*s  %02u", int(label.size()), label.data(), unsigned(frameRate));
    return line;
}

std::string FormatPictureTime(long long seconds, int dateFormat) {
    SYSTEMTIME t{};
    if (!TimeToSystemTime(std::time_t(seconds < 0 ? 0 : seconds), &t, false)) {
        TimeToSystemTime(0, &t, false);
    }
    char text[64];
    const unsigned y = t.wYear, mo = t.wMonth, d = t.wDay, h = t.wHour, mi = t.wMinute, s = t.wSecond;
    switch (dateFormat) {
    case 1:
        std::snprintf(text, sizeof text, "%02u-%02u-%04u  %02u:%02u:%02u", mo, d, y, h, mi, s);
        break;
    case 2:
        std::snprintf(text, sizeof text, "%02u-%02u-%04u  %02u:%02u:%02u", d, mo, y, h, mi, s);
        break;
    default:
        std::snprintf(text, sizeof text, "%04u-%02u-%02u  %02u:%02u:%02u", y, mo, d, h, mi, s);
        break;
    }
    return text;
}
