#include "platform/window/MessagePump.h"

#include "platform/window/HandleMap.h"
#include "platform/window/WinUser.h"
#include "platform/window/Wnd.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

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

bool CMessagePump::PostTask(std::function<void()> task) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    // A queued call on the application object joins the UI thread's one posted-event queue, which
    // keeps the order of everything posted from any one thread.
    return QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
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
