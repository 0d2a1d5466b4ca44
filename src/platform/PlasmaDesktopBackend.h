// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QDBusConnection>

class ProcessRunner;

// KDE Plasma 5/6: a desktop script through org.kde.PlasmaShell.evaluateScript per screen
// (FillMode 2: preserve aspect and crop); the lock screen through kscreenlockerrc.
class PlasmaDesktopBackend : public DesktopBackend
{
public:
    // `configHome` holds kscreenlockerrc; `kwriteconfig` is the path of kwriteconfig6/5, or
    // empty to edit the file directly.
    PlasmaDesktopBackend(QDBusConnection connection, QString configHome, ProcessRunner &runner,
                         QString kwriteconfig = {});

    QString name() const override { return QStringLiteral("KDE Plasma"); }
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // The script for Plasma screen `screenIndex` (every screen where it is negative); it prints
    // the Image value it reads back from every desktop it changed as a JSON array.
    static QString desktopScript(const QString &fileUrl, int screenIndex);

    // Reading and writing one key of a KConfig file (groups written "[A][B]").
    static QString readConfigValue(const QString &file, const QString &group, const QString &key);
    static void writeConfigValue(const QString &file, const QString &group, const QString &key, const QString &value);

    // plasmashell's bus name is all lower case; org.kde.PlasmaShell is only its interface.
    static QString busName() { return QStringLiteral("org.kde.plasmashell"); }

    static QString lockScreenGroup() { return QStringLiteral("[Greeter][Wallpaper][org.kde.image][General]"); }

private:
    QDBusConnection m_connection;
    QString m_configHome;
    ProcessRunner &m_runner;
    QString m_kwriteconfig;
};
