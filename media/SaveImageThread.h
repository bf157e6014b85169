#pragma once
// One still image of one channel, saved on a thread of its own: the picture (a copy of the channel's
// frame buffer, taken by the decoder) is rendered at 800 x 600 with its time written under it and
// stored under the save location's "Saved" folder as JPEG, BMP or TIFF, named by the local time and
// the channel ("YYYYMMDDhhmmss_00CC"). The main window keeps it until it is done, then deletes it.

#include "media/DecoderHost.h"
#include "platform/base/WinTypes.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class CSaveImageThread {
public:
    static constexpr int kOutputWidth = 800;
    static constexpr int kOutputHeight = 600;
    static constexpr COLORREF kCaptionColour = RGB(0, 255, 255);

    // The local time the file is named by (tests give their own).
    using LocalClock = std::function<SYSTEMTIME()>;

    // saveLocation: the Location setting. Starts the thread at once.
    CSaveImageThread(std::string saveLocation, StillImageRequest request, LocalClock clock = nullptr);
    // Waits for the thread.
    ~CSaveImageThread();
    CSaveImageThread(const CSaveImageThread&) = delete;
    CSaveImageThread& operator=(const CSaveImageThread&) = delete;

    // 0 while saving, 1 once done (whether or not the file could be written).
    DWORD GetState() const { return m_state.load(); }
    bool IsDone() const { return GetState() == 1; }
    // Waits for the thread and frees the picture copy.
    void DestroyWindow();
    void Join() { DestroyWindow(); }

    // Once done: whether the file was written, and where.
    bool Saved() const { return m_saved.load(); }
    // Once done: 0 when saved, else the system's error number of the failed step.
    int GetError() const { return m_error.load(); }
    const std::string& GetPath() const { return m_path; }
    const std::string& GetFolder() const { return m_folder; }

    static std::string MakeFileName(const SYSTEMTIME& time, int channel, int saveFormat);
    // <save location>/Saved/
    static std::string SaveFolder(const std::string& saveLocation);

private:
    void Run();

    const std::string m_folder;
    StillImageRequest m_request;
    std::string m_name;
    std::string m_path;
    std::atomic<DWORD> m_state{0};
    std::atomic<bool> m_saved{false};
    std::atomic<int> m_error{0};
    std::thread m_thread;
};
