#include "platform/window/MessagePump.h"

#include "platform/window/HandleMap.h"
#include "platform/window/WinUser.h"
#include "platform/window/Wnd.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

#include <deque>
#include <mutex>

QPointer<CMessagePump> CMessagePump::s_instance;

CMessagePump::CMessagePump(QObject* parent) : QObject(parent) {}

bool CMessagePump::IsUiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

CMessagePump* CMessagePump::Instance() {
    // Made on the UI thread only, as a child of the application object, so it goes with it.
    if (s_instance.isNull() && IsUiThread()) {
        s_instance = new CMessagePump(QCoreApplication::instance());
    }
    return s_instance.data();
}

namespace {

// Tasks on their way to the UI thread. A task is handed over under this lock, not inside Qt's own
// event: Qt's locks are invisible to a race checker, ours are not, and whatever a worker wrote
// before posting must be seen as written before the task runs.
struct PostedTasks {
    struct Entry {
        QCoreApplication* app;
        std::function<void()> task;
    };
    std::mutex lock;
    std::deque<Entry> queue;
};

PostedTasks& Tasks() {
    static PostedTasks tasks;
    return tasks;
}

// One queued call per task, each running the oldest task; a task left by an application object
// that is gone is dropped.
void RunOldestTask() {
    std::function<void()> task;
    {
        PostedTasks& tasks = Tasks();
        std::lock_guard lock(tasks.lock);
        while (!tasks.queue.empty() && !task) {
            PostedTasks::Entry entry = std::move(tasks.queue.front());
            tasks.queue.pop_front();
            if (entry.app == QCoreApplication::instance()) {
                task = std::move(entry.task);
            }
        }
    }
    if (task) {
        task();
    }
}

} // namespace

bool CMessagePump::PostTask(std::function<void()> task) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    PostedTasks& tasks = Tasks();
    // The queued call is made under the lock too, so that tasks and calls keep the same order and
    // the call's own memory is handed over with the task. A queued call on the application object
    // joins the UI thread's one posted-event queue, which keeps the order of everything posted
    // from any one thread.
    std::lock_guard lock(tasks.lock);
    tasks.queue.push_back(PostedTasks::Entry{app, std::move(task)});
    // The call itself carries nothing (an empty callable), so nothing of it is read before the lock.
    if (!QMetaObject::invokeMethod(
            app, [] { RunOldestTask(); }, Qt::QueuedConnection)) {
        tasks.queue.pop_back();
        return false;
    }
    return true;
}

bool CMessagePump::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!CHandleMap::Contains(hwnd)) {
        return false;
    }
    return PostTask([hwnd, message, wParam, lParam] {
        CWnd* wnd = CHandleMap::Object(hwnd);
        if (wnd != nullptr) {
            wnd->DeliverPosted(message, wParam, lParam);
        }
    });
}

bool CMessagePump::PostCall(HWND hwnd, std::function<void(CWnd&)> call) {
    if (!CHandleMap::Contains(hwnd)) {
        return false;
    }
    return PostTask([hwnd, call = std::move(call)] {
        CWnd* wnd = CHandleMap::Object(hwnd);
        if (wnd != nullptr) {
            call(*wnd);
        }
    });
}

bool CMessagePump::SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds) {
    CMessagePump* pump = Instance();
    if (pump == nullptr || !CHandleMap::Contains(hwnd)) {
        return false;
    }
    KillTimer(hwnd, id);
    const int qtId = pump->startTimer(int(milliseconds), Qt::PreciseTimer);
    if (qtId == 0) {
        return false;
    }
    pump->m_timers[Key(hwnd, id)] = Timer{qtId, milliseconds};
    pump->m_byQtId[qtId] = Key(hwnd, id);
    return true;
}

bool CMessagePump::KillTimer(HWND hwnd, UINT_PTR id) {
    CMessagePump* pump = Instance();
    if (pump == nullptr) {
        return false;
    }
    auto it = pump->m_timers.find(Key(hwnd, id));
    if (it == pump->m_timers.end()) {
        return false;
    }
    pump->killTimer(it->second.qtId);
    pump->m_byQtId.erase(it->second.qtId);
    pump->m_timers.erase(it);
    return true;
}

void CMessagePump::KillTimers(HWND hwnd) {
    CMessagePump* pump = s_instance.data();
    if (pump == nullptr || !IsUiThread()) {
        return;
    }
    for (auto it = pump->m_timers.lower_bound(Key(hwnd, 0)); it != pump->m_timers.end() && it->first.first == hwnd;) {
        pump->killTimer(it->second.qtId);
        pump->m_byQtId.erase(it->second.qtId);
        it = pump->m_timers.erase(it);
    }
}

UINT CMessagePump::TimerInterval(HWND hwnd, UINT_PTR id) {
    CMessagePump* pump = s_instance.data();
    if (pump == nullptr || !IsUiThread()) {
        return 0;
    }
    auto it = pump->m_timers.find(Key(hwnd, id));
    return it == pump->m_timers.end() ? 0 : it->second.interval;
}

void CMessagePump::timerEvent(QTimerEvent* event) {
    auto it = m_byQtId.find(event->timerId());
    if (it == m_byQtId.end()) {
        return;
    }
    const Key key = it->second;
    CWnd* wnd = CHandleMap::Object(key.first);
    if (wnd == nullptr) {
        KillTimers(key.first);
        return;
    }
    wnd->SendMessage(WM_TIMER, key.second, 0);
}
