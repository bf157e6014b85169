#pragma once
// Helpers of the window tests: waiting on the UI thread while events flow, and acting on a modal
// dialog once its loop runs (the code under test opens it and blocks until it ends).

#include "platform/window/MessagePump.h"
#include "platform/window/WndHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

// Processes events until pred holds or the time is up; the result of pred at the end. The default
// bound is generous: with the whole suite running beside a build, answers of the simulator have
// been seen to arrive more than 20 s late.
inline bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 60000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Lets everything posted to the window so far, from any thread, be handled: a post made after
// another thread's posts (seen through what that thread did after them) arrives after them.
inline bool Drain(CWnd& wnd) {
    auto done = std::make_shared<bool>(false);
    CMessagePump::PostCall(wnd.GetSafeHwnd(), [done](CWnd&) { *done = true; });
    return WaitUntil([done] { return *done; }, 30000);
}

inline void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

// The dialog of type D whose modal loop runs now, or null.
template <class D>
D* FindModal() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* host = dynamic_cast<CWndHost*>(widget);
        if (host == nullptr || host->Handle() == nullptr) {
            continue;
        }
        auto* dialog = dynamic_cast<D*>(host->Object());
        if (dialog != nullptr && dialog->IsInModalLoop()) {
            return dialog;
        }
    }
    return nullptr;
}

// Acts once on the first modal dialog of type D that appears; `done` tells whether it has.
class ModalScript {
public:
    template <class D>
    void Expect(std::function<void(D&)> action, int timeoutMs = 30000) {
        auto timer = std::make_shared<QTimer>();
        auto elapsed = std::make_shared<QElapsedTimer>();
        elapsed->start();
        auto done = m_done;
        QTimer* raw = timer.get(); // the script owns its timers and outlives them
        QObject::connect(raw, &QTimer::timeout, [raw, elapsed, action, done, timeoutMs] {
            if (D* dialog = FindModal<D>()) {
                raw->stop();
                *done = true;
                action(*dialog);
            } else if (elapsed->elapsed() > timeoutMs) {
                raw->stop();
            }
        });
        timer->start(10);
        m_timers.push_back(timer);
    }
    bool Done() const { return *m_done; }

private:
    std::shared_ptr<bool> m_done = std::make_shared<bool>(false);
    std::vector<std::shared_ptr<QTimer>> m_timers;
};
