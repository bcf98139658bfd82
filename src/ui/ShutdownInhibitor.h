// The hook into the end of the session on systemd machines: a delay lock of logind (org.freedesktop.login1),
// so that logind tells the program before the machine shuts down and waits for it for a moment.
#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace ui {

class cShutdownInhibitor : public QObject {
    Q_OBJECT

public:
    // bus is the system bus in the program, a private bus in the tests.
    explicit cShutdownInhibitor(const QDBusConnection& bus, QObject* parent = nullptr);

    // Holds the delay lock while on, none while off. Without logind on the bus nothing is held and nothing
    // comes; the desktop's session manager is then the only hook.
    void SetWanted(bool on);
    bool Holds() const { return m_lock.isValid(); }
    // Gives the lock back, so that a shutdown that waits for the program goes on.
    void Release();

signals:
    // The machine is about to shut down; the lock holds it back until Release (logind's delay limit,
    // InhibitDelayMaxSec, 5 seconds unless the administrator set more).
    void ShutdownComing();

private slots:
    void PrepareForShutdown(bool starting);

private:
    void Take();

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
    bool m_wanted = false;
    bool m_listening = false;
};

} // namespace ui
