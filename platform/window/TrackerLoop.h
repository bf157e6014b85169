#pragma once
// The mouse loop of a rubber band: a nested event loop that takes every mouse move and the left
// button's release (and Escape) for one window while it runs, showing the band on the window.

#include "platform/base/WinTypes.h"

#include <QObject>
#include <QPointer>

class QRubberBand;

class CTrackerLoop : public QObject {
public:
    CTrackerLoop(HWND hwnd, POINT start);
    ~CTrackerLoop() override;
    // True when the button was released (the band ends at EndPoint); false when cancelled.
    bool Run();
    POINT EndPoint() const { return m_end; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(const QPoint& global);
    void Finish(bool accepted);

    HWND m_hwnd;
    POINT m_start;
    POINT m_end;
    QPointer<QRubberBand> m_band;
    class QEventLoop* m_loop = nullptr;
    bool m_accepted = false;
    bool m_done = false;
};
