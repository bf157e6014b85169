#pragma once
// The X server as an operator's eyes see it, read with the X command-line tools: the program's
// windows, their sizes and stacking, the keyboard focus and the pointer. Window ids are decimal, as
// xdotool writes them.

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// What a command prints on the given display.
inline std::string XRun(const std::string& display, const std::string& command) {
    const std::string line = "DISPLAY=" + display + " " + command + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = ::popen(line.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

struct TopWindow {
    std::string id;
    int width = 0;
    int height = 0;
};

// The program's windows, with or without a window manager around them: the visible ones, or all that
// have been on the screen, hidden ones too.
inline std::vector<TopWindow> TopWindows(const std::string& display, bool onlyVisible = true) {
    std::vector<TopWindow> windows;
    std::istringstream shell(XRun(display, std::string("xdotool search ") + (onlyVisible ? "--onlyvisible " : "") +
                                               "--class kelo1000 getwindowgeometry --shell %@"));
    for (std::string line; std::getline(shell, line);) {
        if (line.rfind("WINDOW=", 0) == 0) {
            windows.push_back(TopWindow{line.substr(7)});
        } else if (!windows.empty()) {
            std::sscanf(line.c_str(), "WIDTH=%d", &windows.back().width);
            std::sscanf(line.c_str(), "HEIGHT=%d", &windows.back().height);
        }
    }
    return windows;
}

// The visible window of this size, or "".
inline std::string WindowOfSize(const std::string& display, int width, int height) {
    for (const TopWindow& w : TopWindows(display)) {
        if (w.width == width && w.height == height) {
            return w.id;
        }
    }
    return {};
}

// What xdotool prints for one window, without the line's end.
inline std::string XWindow(const std::string& display, const std::string& command) {
    std::string id = XRun(display, command);
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) {
        id.pop_back();
    }
    return id;
}

// The window that has the keyboard focus.
inline std::string FocusWindow(const std::string& display) {
    return XWindow(display, "xdotool getwindowfocus -f");
}

// The window a window manager calls active (the one it gave the focus to).
inline std::string ActiveWindow(const std::string& display) {
    return XWindow(display, "xdotool getactivewindow");
}

// The windows a window-valued property lists, as xprop prints it ("NAME(WINDOW): window id # 0x1a00007,
// 0x1c00003"); none when the property is not set.
inline std::vector<unsigned long> WindowsIn(const std::string& property) {
    std::vector<unsigned long> ids;
    const std::size_t hash = property.find('#');
    if (hash == std::string::npos) {
        return ids;
    }
    std::istringstream list(property.substr(hash + 1));
    for (std::string item; std::getline(list, item, ',');) {
        ids.push_back(std::strtoul(item.c_str(), nullptr, 16));
    }
    return ids;
}

// The top-level window under the pointer: a program's window, or a window manager's frame.
inline std::string WindowUnderPointer(const std::string& display) {
    std::istringstream shell(XRun(display, "xdotool getmouselocation --shell"));
    for (std::string line; std::getline(shell, line);) {
        if (line.rfind("WINDOW=", 0) == 0) {
            return line.substr(7);
        }
    }
    return {};
}

// The window that holds the given one on the screen: the window manager's frame, or the window itself
// on a bare X server.
inline std::string FrameOf(const std::string& display, const std::string& id) {
    std::istringstream tree(XRun(display, "xwininfo -tree -id " + id));
    for (std::string line; std::getline(tree, line);) {
        unsigned long parent = 0;
        if (std::sscanf(line.c_str(), " Parent window id: %lx", &parent) == 1) {
            return line.find("(the root window)") != std::string::npos ? id : std::to_string(parent);
        }
    }
    return id;
}

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}
