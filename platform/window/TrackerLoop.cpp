#include "platform/window/TrackerLoop.h"

#include "platform/window/HandleMap.h"
#include "platform/window/Wnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>

CTrackerLoop::CTrackerLoop(HWND hwnd, POINT start) : m_hwnd(hwnd), m_start(start), m_end(start) {}

CTrackerLoop::~CTrackerLoop() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    delete m_band.data();
}

bool CTrackerLoop::Run() {
    QWidget* widget = CHandleMap::Widget(m_hwnd);
    if (widget == nullptr) {
        return false;
    }
    m_band = new QRubberBand(QRubberBand::Rectangle, widget);
    m_band->setGeometry(m_start.x, m_start.y, 0, 0);
    m_band->show();
    ::SetCapture(m_hwnd);
    QCoreApplication::instance()->installEventFilter(this);
    QEventLoop loop;
    m_loop = &loop;
    if (!m_done) {
        loop.exec();
    }
    m_loop = nullptr;
    QCoreApplication::instance()->removeEventFilter(this);
    if (::GetCapture() == m_hwnd) {
        ::ReleaseCapture();
    }
    return m_accepted;
}

void CTrackerLoop::Follow(const QPoint& global) {
    QWidget* widget = CHandleMap::Widget(m_hwnd);
    if (widget == nullptr) {
        Finish(false);
        return;
    }
    const QPoint local = widget->mapFromGlobal(global);
    m_end = POINT{local.x(), local.y()};
    if (m_band) {
        m_band->setGeometry(QRect(QPoint(m_start.x, m_start.y), local).normalized());
    }
}

void CTrackerLoop::Finish(bool accepted) {
    m_accepted = accepted;
    m_done = true;
    if (m_loop != nullptr) {
        m_loop->exit(0);
    }
}

bool CTrackerLoop::eventFilter(QObject* watched, QEvent* event) {
    (void)watched;
    if (m_done) {
        return false;
    }
    if (!::IsWindow(m_hwnd)) {
        Finish(false);
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove:
        Follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            Follow(mouse->globalPosition().toPoint());
            Finish(true);
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Finish(false);
        }
        return true;
    default:
        return false;
    }
}
