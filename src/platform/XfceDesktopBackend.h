// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QDBusConnection>
#include <QVariant>

// Xfce: xfconf's xfce4-desktop channel over D-Bus, per monitor and workspace
// (/backdrop/screen0/monitor<NAME>/workspace<N>/last-image, image-style 5 = zoomed).
class XfceDesktopBackend : public DesktopBackend
{
public:
    explicit XfceDesktopBackend(QDBusConnection connection);

    QString name() const override { return QStringLiteral("Xfce"); }
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // Which monitor and workspace property folders to write for `screen`, given the property
    // names xfconf already holds: the monitor named after the screen, else the numbered one of
    // older Xfce, else a new entry for the screen's name; every workspace known for it, else 0.
    // A screen without a name (no display) means every monitor xfconf holds, or none.
    static QStringList backdropFolders(const QStringList &existingProperties, const DesktopScreen &screen);

    static QString lockScreenNote();

private:
    QCoro::Task<QDBusMessage> call(QString method, QVariantList arguments);

    QDBusConnection m_connection;
};
