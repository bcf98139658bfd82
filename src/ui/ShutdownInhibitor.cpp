#include "ui/ShutdownInhibitor.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace ui {

namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
// A bus without logind answers at once; one that hangs must not hold the window.
constexpr int kCallTimeoutMilliseconds = 2000;

} // namespace

cShutdownInhibitor::cShutdownInhibitor(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

void cShutdownInhibitor::SetWanted(bool on) {
    m_wanted = on;
    if (!on) {
        Release();
        return;
    }
    if (!m_bus.isConnected()) return;
    if (!m_listening)
        m_listening = m_bus.connect(kLogin1, kManagerPath, kManager, QStringLiteral("PrepareForShutdown"), this,
                                    SLOT(PrepareForShutdown(bool)));
    if (!Holds()) Take();
}

void cShutdownInhibitor::Take() {
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin1, kManagerPath, kManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("shutdown") << QStringLiteral("Tolvan")
         << QStringLiteral("Sicherung vor dem Herunterfahren") << QStringLiteral("delay");
    const QDBusReply<QDBusUnixFileDescriptor> reply = m_bus.call(call, QDBus::Block, kCallTimeoutMilliseconds);
    if (reply.isValid()) m_lock = reply.value();
}

void cShutdownInhibitor::Release() {
    // The lock is the descriptor: closing it lets logind go on.
    m_lock = QDBusUnixFileDescriptor();
}

void cShutdownInhibitor::PrepareForShutdown(bool starting) {
    if (starting) {
        if (Holds()) emit ShutdownComing();
        return;
    }
    // The shutdown was called off: hold the lock again for the next one.
    if (m_wanted && !Holds()) Take();
}

} // namespace ui
