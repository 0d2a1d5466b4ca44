// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QDBusConnection>
#include <chrono>

// Any other desktop: org.freedesktop.portal.Wallpaper.SetWallpaperFile on the session bus, with
// the file passed as a descriptor. The portal's answer arrives as a Response signal on a
// request object: 0 done, 1 cancelled by the user, 2 failed.
//
// GNOME's portal, and KDE's before Plasma 6.5, ignore `set-on` and change the desktop picture
// when asked for the lock screen, and no portal says which it did: the lock screen is offered
// only when the caller knows this portal honours it.
class PortalDesktopBackend : public DesktopBackend
{
public:
    explicit PortalDesktopBackend(QDBusConnection connection,
                                  std::chrono::milliseconds responseTimeout = std::chrono::minutes(2),
                                  bool honoursLockScreen = false);

    QString name() const override { return QStringLiteral("desktop portal"); }
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // Whether the portal on `connection` (started on demand if need be) offers the Wallpaper
    // interface: xdg-desktop-portal may run with no backend that implements it.
    static QCoro::Task<bool> offersWallpaper(QDBusConnection connection);

    // The request object the portal creates for `token` on behalf of `uniqueName` (":1.42").
    static QString requestPath(const QString &uniqueName, const QString &token);

    static QString lockScreenNote();

private:
    QCoro::Task<void> apply(QString filePath, QString setOn);
    // Whether the portal's permission store holds a "no" for us (a refusal it remembers).
    QCoro::Task<bool> refusalRemembered();

    QDBusConnection m_connection;
    std::chrono::milliseconds m_responseTimeout;
    bool m_honoursLockScreen;
};
