// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A private session bus for one test process: a dbus-daemon started by the test, its
// address put into DBUS_SESSION_BUS_ADDRESS before anything connects, so nothing can reach the
// user's real session. Services started with startService() see the same bus; everything is
// stopped when the object goes away. Nothing installed on the machine is activatable on it.
class DbusTestBus
{
public:
    DbusTestBus();
    ~DbusTestBus();

    bool isRunning() const { return !m_address.isEmpty(); }
    QByteArray address() const { return m_address; }

    // Starts `program` on the bus and waits until `busName` is owned; false on timeout.
    bool startService(const QString &program, const QStringList &arguments, const QString &busName,
                      int timeoutMs = 10000);

    // Makes `busName` activatable: the bus starts `program` with `arguments` when someone calls it.
    bool addActivatable(const QString &busName, const QString &program, const QStringList &arguments);

    // Whether `busName` has an owner now (asks the daemon without Qt's connection).
    bool hasOwner(const QString &busName) const;

private:
    QTemporaryDir m_configDir;
    std::unique_ptr<QProcess> m_daemon;
    std::vector<std::unique_ptr<QProcess>> m_services;
    QByteArray m_address;
};

// A main() that sets up the private bus (and the keyfile GSettings backend) before the
// application object or any D-Bus connection exists.
#define LUMIVANE_DBUS_TEST_MAIN(TestObject)                                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");                                                     \
        qputenv("GSETTINGS_BACKEND", "keyfile");                                                   \
        DbusTestBus bus;                                                                           \
        if (!bus.isRunning()) {                                                                    \
            qWarning("could not start a private dbus-daemon");                                     \
            return 1;                                                                              \
        }                                                                                          \
        QCoreApplication app(argc, argv);                                                          \
        TestObject test(bus);                                                                      \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
