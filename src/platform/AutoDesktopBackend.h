// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QDBusConnection>
#include <QStringList>
#include <functional>
#include <memory>

class ProcessRunner;

// Picks the backend for the running desktop on first use, from XDG_CURRENT_DESKTOP and the names
// present (or activatable) on the session bus, and forwards to it from then on. The portal is
// chosen only when it really offers its Wallpaper interface.
class AutoDesktopBackend : public DesktopBackend
{
public:
    AutoDesktopBackend(QDBusConnection connection, QString currentDesktop, QString configHome, ProcessRunner &runner);

    QString name() const override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    enum class Kind { Gnome, GnomeCompatible, Cinnamon, Mate, Plasma, Xfce, Portal, Unavailable };
    // The choice for the desktop names of XDG_CURRENT_DESKTOP (colon-separated), the bus names
    // available, and whether a settings schema is installed.
    static Kind choose(const QString &currentDesktop, const QStringList &busNames,
                       const std::function<bool(const QString &)> &schemaInstalled);

    // The backend in use once one was chosen.
    DesktopBackend *chosen() const { return m_chosen.get(); }

private:
    QCoro::Task<DesktopBackend *> resolve();

    QDBusConnection m_connection;
    QString m_currentDesktop;
    QString m_configHome;
    ProcessRunner &m_runner;
    std::unique_ptr<DesktopBackend> m_chosen;
};
