#include "platform/window/InputFilter.h"

#include "platform/window/WndHost.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

void CInputFilter::Install() {
    static QPointer<CInputFilter> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !installed.isNull()) {
        return;
    }
    installed = new CInputFilter(app);
    app->installEventFilter(installed.data());
}

bool CInputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    auto* top = dynamic_cast<CWndHost*>(widget->window());
    if (top == nullptr || !top->InputBlocked()) {
        return false;
    }
    event->accept();
    return true;
}
