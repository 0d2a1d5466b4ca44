// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"

#include <QStringList>

class ProcessRunner;

// Sessions without a settings store (wlroots compositors, bare X window managers): the
// wallpaper program of the session, run with the picture. Each program has its own command
// line, its own way of naming a monitor and, where it has one, its own read-back; whatever it
// prints on failure becomes the message.
class CommandDesktopBackend : public DesktopBackend
{
public:
    enum class Tool {
        Sway,       // swaymsg output <name|*> bg <file> fill
        Hyprpaper,  // hyprctl hyprpaper preload / wallpaper "<monitor>,<file>"
        Swww,       // swww img --resize crop [--outputs <name>] <file>
        Feh,        // feh --no-fehbg --bg-fill <file>
        Xwallpaper, // xwallpaper --zoom <file>
    };

    // `program` is the full path of the tool's command (swaymsg, hyprctl, swww, feh, xwallpaper).
    CommandDesktopBackend(Tool tool, QString program, ProcessRunner &runner, int timeoutMs = 20000);

    QString name() const override;
    QCoro::Task<DesktopCapabilities> capabilities() override;
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // The program a tool is run through.
    static QString programName(Tool tool);
    // The argument lists run, in order, to show `filePath` on `monitor` (empty: every monitor).
    static QList<QStringList> commands(Tool tool, const QString &filePath, const QString &monitor);

private:
    // Runs one command; throws DesktopError with what the program said when it failed.
    QByteArray runChecked(const QStringList &arguments);

    Tool m_tool;
    QString m_program;
    ProcessRunner &m_runner;
    int m_timeoutMs;
};
