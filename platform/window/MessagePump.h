#pragma once
// Hands work to the UI thread and runs the window timers. Everything posted here travels through
// Qt's posted-event queue of the UI thread, so posts from one thread arrive in the order they were
// made, and every event loop (the main one and each nested modal loop) delivers them.

#include "platform/base/WinTypes.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <utility>

class CWnd;

class CMessagePump : public QObject {
public:
    // True on the thread that owns the application object (the only thread that may touch widgets).
    static bool IsUiThread();

    // Queues a message to a window; delivered on the UI thread unless the window is gone by then.
    // False (nothing queued) when the handle is unknown or there is no application object.
    static bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Queues a call on a window's object; it runs on the UI thread only if the window still exists.
    static bool PostCall(HWND hwnd, std::function<void(CWnd&)> call);
    // Queues a task for the UI thread that belongs to no window.
    static bool PostTask(std::function<void()> task);

    // Timers, UI thread only. Setting an id again restarts it with the new interval.
    static bool SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds);
    static bool KillTimer(HWND hwnd, UINT_PTR id);
    static void KillTimers(HWND hwnd);
    // The interval of a running timer, 0 when none is set.
    static UINT TimerInterval(HWND hwnd, UINT_PTR id);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    explicit CMessagePump(QObject* parent);
    static CMessagePump* Instance();

    using Key = std::pair<HWND, UINT_PTR>;
    struct Timer {
        int qtId = 0;
        UINT interval = 0;
    };
    std::map<Key, Timer> m_timers;
    std::map<int, Key> m_byQtId;
    static QPointer<CMessagePump> s_instance;
};
