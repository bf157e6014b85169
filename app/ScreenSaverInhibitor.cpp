#include "app/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

constexpr const char* kService = "org.freedesktop.ScreenSaver";
constexpr const char* kPath = "/org/freedesktop/ScreenSaver";
constexpr int kCallTimeoutMs = 2000;

// A plain method call (no introspection round trip), bounded in time.
QDBusMessage Call(QDBusConnection& bus, const char* method, const QList<QVariant>& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kService, method);
    message.setArguments(args);
    return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

bool ServicePresent(QDBusConnection& bus) {
    QDBusConnectionInterface* names = bus.interface();
    return names != nullptr && names->isServiceRegistered(kService).value();
}

} // namespace

bool CScreenSaverInhibitor::Inhibit(const char* application, const char* reason) {
    Release();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !ServicePresent(bus)) {
        return false;
    }
    const QDBusMessage reply = Call(bus, "Inhibit", {QString::fromUtf8(application), QString::fromUtf8(reason)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    m_cookie = reply.arguments().first().toUInt();
    m_active = true;
    return true;
}

void CScreenSaverInhibitor::Release() {
    if (!m_active) {
        return;
    }
    m_active = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        Call(bus, "UnInhibit", {uint(m_cookie)});
    }
}
