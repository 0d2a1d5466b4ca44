// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CommandDesktopBackend.h"

#include "models/AppError.h"
#include "platform/DesktopError.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

CommandDesktopBackend::CommandDesktopBackend(Tool tool, QString program, ProcessRunner &runner, int timeoutMs)
    : m_tool(tool)
    , m_program(std::move(program))
    , m_runner(runner)
    , m_timeoutMs(timeoutMs)
{
}

QString CommandDesktopBackend::name() const
{
    switch (m_tool) {
    case Tool::Sway: return u"sway"_s;
    case Tool::Hyprpaper: return u"Hyprland (hyprpaper)"_s;
    case Tool::Swww: return u"swww"_s;
    case Tool::Feh: return u"feh"_s;
    case Tool::Xwallpaper: return u"xwallpaper"_s;
    }
    return {};
}

QString CommandDesktopBackend::programName(Tool tool)
{
    switch (tool) {
    case Tool::Sway: return u"swaymsg"_s;
    case Tool::Hyprpaper: return u"hyprctl"_s;
    case Tool::Swww: return u"swww"_s;
    case Tool::Feh: return u"feh"_s;
    case Tool::Xwallpaper: return u"xwallpaper"_s;
    }
    return {};
}

QList<QStringList> CommandDesktopBackend::commands(Tool tool, const QString &filePath, const QString &monitor)
{
    switch (tool) {
    case Tool::Sway:
        // One argument each: swaymsg joins its arguments into one command, and sway parses
        // that again, so a path with spaces must be quoted for sway.
        return {{u"output"_s, monitor.isEmpty() ? u"*"_s : monitor, u"bg"_s,
                 u"\""_s + QString(filePath).replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s) + u"\""_s, u"fill"_s}};
    case Tool::Hyprpaper:
        return {{u"hyprpaper"_s, u"preload"_s, filePath},
                {u"hyprpaper"_s, u"wallpaper"_s, monitor + u',' + filePath}};
    case Tool::Swww:
        if (monitor.isEmpty())
            return {{u"img"_s, u"--resize"_s, u"crop"_s, u"--"_s, filePath}};
        return {{u"img"_s, u"--resize"_s, u"crop"_s, u"--outputs"_s, monitor, u"--"_s, filePath}};
    case Tool::Feh:
        return {{u"--no-fehbg"_s, u"--bg-fill"_s, u"--"_s, filePath}};
    case Tool::Xwallpaper:
        return {{u"--zoom"_s, filePath}};
    }
    return {};
}

QCoro::Task<DesktopCapabilities> CommandDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    c.lockScreenPicture = false;
    c.lockScreenNote = m_tool == Tool::Sway || m_tool == Tool::Hyprpaper || m_tool == Tool::Swww
        ? QCoreApplication::translate("CommandDesktopBackend", "the screen locker of this session (swaylock, hyprlock) takes its picture from its own configuration")
        : QCoreApplication::translate("CommandDesktopBackend", "this X session's screen locker has no lock-screen picture that a setting chooses");
    // feh and xwallpaper paint one root window picture across every monitor.
    c.perMonitor = m_tool == Tool::Sway || m_tool == Tool::Hyprpaper || m_tool == Tool::Swww;
    co_return c;
}

QByteArray CommandDesktopBackend::runChecked(const QStringList &arguments)
{
    const QString program = QFileInfo(m_program).fileName();
    ProcessResult result;
    try {
        result = m_runner.capture(m_program, arguments, m_timeoutMs);
    } catch (const AppError &e) {
        throw DesktopError(QCoreApplication::translate("CommandDesktopBackend", "%1 could not be started: %2").arg(program, e.description()));
    }
    const QString said = QString::fromUtf8(result.errors + result.output).trimmed();
    // hyprctl reports a refusal on standard output with status 0; anything but "ok" is one.
    const bool refused = m_tool == Tool::Hyprpaper && result.status == 0 && arguments.value(1) != QLatin1String("listactive")
                         && QString::fromUtf8(result.output).trimmed() != QLatin1String("ok");
    if (result.status != 0 || refused) {
        const QString status = result.status < 0 ? u"did not finish"_s : u"failed with status %1"_s.arg(result.status);
        throw DesktopError(said.isEmpty() ? u"%1 %2"_s.arg(program, status)
                                          : u"%1 %2: %3"_s.arg(program, status, said.section(u'\n', 0, 2)));
    }
    return result.output;
}

QCoro::Task<void> CommandDesktopBackend::setDesktopImage(QString filePath, DesktopScreen screen)
{
    if (!QFileInfo(filePath).isAbsolute())
        throw DesktopError(QCoreApplication::translate("CommandDesktopBackend", "%1 is not an absolute path").arg(filePath));
    const DesktopCapabilities can = co_await capabilities();
    const QString monitor = can.perMonitor ? screen.name : QString();
    for (const QStringList &arguments : commands(m_tool, filePath, monitor))
        runChecked(arguments);

    // Read back where the program can say what it shows.
    if (m_tool == Tool::Swww) {
        const QString shown = QString::fromUtf8(runChecked({u"query"_s}));
        if (!shown.contains(filePath))
            throw DesktopError(u"swww does not show the new picture"_s);
    } else if (m_tool == Tool::Hyprpaper) {
        const QString shown = QString::fromUtf8(runChecked({u"hyprpaper"_s, u"listactive"_s}));
        if (!shown.contains(filePath))
            throw DesktopError(u"hyprpaper does not show the new picture"_s);
    }
}

QCoro::Task<void> CommandDesktopBackend::setLockScreenImage(QString)
{
    const DesktopCapabilities can = co_await capabilities();
    throw DesktopError(can.lockScreenNote);
}
