#pragma once
// What ends the program from outside: SIGTERM, SIGINT and SIGHUP, and the end of the desktop session
// (the toolkit's quit request). Each runs the main window's Quit on the UI thread, which closes every
// dialog still open and stops everything in order before the main window ends; nothing is torn down
// from the signal handler or under a running dialog.

#include <QObject>

#include <memory>

class CClientDlg;
class QSocketNotifier;

class CQuitWatch : public QObject {
public:
    // Watches for the life of this object (one watch at a time).
    explicit CQuitWatch(CClientDlg& main);
    ~CQuitWatch() override;
    CQuitWatch(const CQuitWatch&) = delete;
    CQuitWatch& operator=(const CQuitWatch&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RequestQuit();

    CClientDlg& m_main;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
