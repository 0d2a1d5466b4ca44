// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QDBusConnection>
#include <chrono>

// Any other desktop: org.freedesktop.portal.Wallpaper.SetWallpaperFile on the session bus, with
// the file passed as a descriptor. The portal's answer arrives as a Response signal on a
// request object: 0 done, 1 cancelled by the user, 2 failed.
class PortalDesktopBackend : public DesktopBackend
{
public:
    explicit PortalDesktopBackend(QDBusConnection connection,
                                  std::chrono::milliseconds responseTimeout = std::chrono::minutes(2));

    QString name() const override { return QStringLiteral("desktop portal"); }
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // Whether the portal on `connection` (started on demand if need be) offers the Wallpaper
    // interface: xdg-desktop-portal may run with no backend that implements it.
    static QCoro::Task<bool> offersWallpaper(QDBusConnection connection);

    // The request object the portal creates for `token` on behalf of `uniqueName` (":1.42").
    static QString requestPath(const QString &uniqueName, const QString &token);

private:
    QCoro::Task<void> apply(QString filePath, QString setOn);

    QDBusConnection m_connection;
    std::chrono::milliseconds m_responseTimeout;
};
