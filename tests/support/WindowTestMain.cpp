// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTestMain.h"
#include "DbusTestBus.h"
#include "app/LumivaneApp.h"

#include <QGuiApplication>

int runWindowTest(int argc, char *argv[], const std::function<int(DbusTestBus &)> &run)
{
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    DbusTestBus bus;
    if (!bus.isRunning()) {
        qWarning("could not start a private dbus-daemon");
        return 1;
    }
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication app(argc, argv);
    LumivaneApp::loadIconFont();
    return run(bus);
}
