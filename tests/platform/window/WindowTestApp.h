#pragma once
// The Qt application every window test runs in (offscreen platform, set by the test runner), and
// helpers to let the UI thread's event loop run until a condition holds.

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <functional>

inline QApplication* TestApp() {
    static int argc = 1;
    static char name[] = "window-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM",
                qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
        return new QApplication(argc, argv);
    }();
    return app;
}

// Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs the event loop for a while (used only to show that something does NOT happen).
inline void PumpFor(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Delivers everything posted so far, deferred deletions (PostNcDestroy) included.
inline void Flush() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}
