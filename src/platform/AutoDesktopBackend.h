// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include "platform/BusConnection.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <functional>
#include <memory>

class ProcessRunner;

// What the automatic choice looks at besides the bus; by default the process's own environment
// and PATH.
struct AutoDesktopSession
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::function<QString(const QString &)> findProgram; // full path, or empty; default: PATH
};

// Picks the backend for the running desktop on first use, from XDG_CURRENT_DESKTOP, the names
// present (or activatable) on the session bus and the session's wallpaper programs, and
// forwards to it from then on. The portal is chosen only when it really offers its Wallpaper
// interface.
class AutoDesktopBackend : public DesktopBackend
{
public:
    using Session = AutoDesktopSession;

    AutoDesktopBackend(BusConnection connection, QString currentDesktop, QString configHome, ProcessRunner &runner,
                       Session session = {});

    QString name() const override;
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setSpanningImage(QString filePath) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    enum class Kind { Gnome, GnomeCompatible, Cinnamon, Mate, Plasma, Xfce, Sway, Hyprpaper, Portal, Swww, Feh,
                      Xwallpaper, Unavailable };
    // The choice for the desktop names of XDG_CURRENT_DESKTOP (colon-separated), the bus names
    // owned now and those that can be started, whether a settings schema is installed, and the
    // session's environment and programs.
    static Kind choose(const QString &currentDesktop, const QStringList &running, const QStringList &activatable,
                       const std::function<bool(const QString &)> &schemaInstalled, const Session &session);

    // The backend in use once one was chosen.
    DesktopBackend *chosen() const { return m_chosen.get(); }

private:
    QCoro::Task<DesktopBackend *> resolve();

    BusConnection m_connection;
    QString m_currentDesktop;
    QString m_configHome;
    ProcessRunner &m_runner;
    Session m_session;
    std::unique_ptr<DesktopBackend> m_chosen;
};
