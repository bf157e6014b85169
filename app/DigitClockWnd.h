#pragma once
// The digit clock on the main window's face: every 100 ms its own thread works out the cells of the
// time to show and has the main window repaint the clock's rectangles; the main window draws the
// cells in its paint. Mode 0 shows the live picture's time while live view runs and the computer's
// local time otherwise; mode 1 shows the time of the frame being played.

#include "app/ClockFace.h"
#include "platform/base/Event.h"
#include "platform/base/ThreadHandle.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Wnd.h"

#include <atomic>
#include <functional>
#include <mutex>

class CDC;

class CDigitClockWnd : public CWnd {
public:
    // Gives true and the time (seconds since 1970, counted as UTC) when a source has one now.
    using TimeSource = std::function<bool(LONG* time)>;

    // Loads the strips and starts the ticking thread (unless tick is false: tests drive Tick).
    CDigitClockWnd(CWnd* pMain, int mode, std::function<DWORD()> dateFormat, TimeSource source = {}, bool tick = true);
    ~CDigitClockWnd() override;

    // Stops the thread and waits for it; never call it from the ticking thread.
    BOOL DestroyWindow() override;

    // The time to show in mode 1 when no source answers; written by owners from any thread.
    std::atomic<LONG> m_nTime{0};

    int GetMode() const { return m_nMode; }
    // Works out the cells now and asks the main window to repaint them when they changed.
    void Tick();
    // Draws the last cells (main window's paint, UI thread).
    void Draw(CDC* pDC);

private:
    void Run();
    ClockCells ComputeCells() const;
    HBITMAP StripOf(UINT id) const;

    HWND m_hMain;
    int m_nMode;
    std::function<DWORD()> m_dateFormat;
    TimeSource m_source;
    CBitmap m_bmLarge;
    CBitmap m_bmSmall;
    CBitmap m_bmPlayTime;
    CBitmap m_bmPlayDate;
    CBitmap m_bmPlayMark;
    mutable std::mutex m_cellLock;
    ClockCells m_cells{};
    bool m_haveCells = false;
    DWORD m_drawnFormat = 0;
    std::atomic<bool> m_bStop{false};
    CEvent m_wake{true, false};
    CThreadHandle m_thread;
};
