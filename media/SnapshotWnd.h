#pragma once
// The web snapshot writer of one live channel: a worker that writes the pictures handed to it as a
// small JPEG file for a web page, <WebLocation>/<channel number>.jpg, overwritten each time, with
// "CH<n>" in its top-left corner. The decoder hands a picture over at most every WebInterval.
//
// A picture handed over while the previous one is still being written is dropped: the writer works
// on its own copy and is never written under.

#include "media/DecoderHost.h"
#include "media/ImageSaver.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// The web export settings the writer renders by.
struct WebSnapshotSettings {
    std::string location; // WebLocation
    int widthJpg = 200;   // WebWidthJpg
    int heightJpg = 160;  // WebHeightJpg
    int widthWeb = 320;   // WebWidthWeb (sets the caption's size with widthJpg)
};

class CSnapshotWnd {
public:
    static constexpr COLORREF kCaptionColour = RGB(0, 255, 255);
    // Sizes outside this range are taken as the defaults.
    static constexpr int kMinSize = 16;
    static constexpr int kMaxSize = 1920;

    explicit CSnapshotWnd(WebSnapshotSettings settings);
    ~CSnapshotWnd();
    CSnapshotWnd(const CSnapshotWnd&) = delete;
    CSnapshotWnd& operator=(const CSnapshotWnd&) = delete;

    // The decoder's thread: the picture to write next. False when it was dropped (a write is still
    // pending, or the writer is ending).
    bool PutFrame(WebSnapshotRequest request);
    // Ends the thread (a write in progress is finished first).
    void DestroyWindow();

    // What the settings became after their checks.
    const WebSnapshotSettings& GetSettings() const { return m_settings; }
    int GetCaptionPointSize() const { return m_captionPointSize; }
    std::size_t WrittenCount() const { return m_written.load(); }
    // The file a channel's pictures go to.
    std::string PathFor(int channel) const;

private:
    void Run();
    bool Write(const WebSnapshotRequest& request);

    WebSnapshotSettings m_settings;
    int m_captionPointSize = 11;
    CImageSaver m_saver;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_stop = false;
    WebSnapshotRequest m_next;
    std::atomic<std::size_t> m_written{0};
    std::thread m_thread;
};
