// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/AutoChangeSchedule.h"

#include "platform/LoginItemBackend.h"
#include "platform/SystemdUserTimer.h"
#include "platform/XdgAutostartBackend.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>

AutoChangeSchedule::AutoChangeSchedule(SystemdUserTimer &timer, LoginItemBackend &backgroundEntry,
                                       std::function<void()> startBackground)
    : m_timer(timer)
    , m_backgroundEntry(backgroundEntry)
    , m_startBackground(std::move(startBackground))
{
}

AutoChangeSchedule &AutoChangeSchedule::shared()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    static SystemdUserTimer timer(QDBusConnection::sessionBus(), config + QStringLiteral("/systemd/user"),
                                  QCoreApplication::applicationFilePath());
    static XdgAutostartBackend entry(config, QCoreApplication::applicationFilePath(), QStringLiteral("app.lumivane.autochange"),
                                     {QStringLiteral("--background")});
    static AutoChangeSchedule instance(timer, entry, [] {
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--background")});
    });
    return instance;
}

void AutoChangeSchedule::apply(bool on, int minutes)
{
    if (!on) {
        m_timer.disable();
        m_backgroundEntry.disable(); // a background mode still running sees the switch and ends
        return;
    }
    if (m_timer.isAvailable()) {
        m_timer.enable(minutes);
        m_backgroundEntry.disable();
        return;
    }
    m_timer.disable();
    m_backgroundEntry.enable();
    if (m_startBackground)
        m_startBackground();
}

void AutoChangeSchedule::ensure(bool on, int minutes)
{
    if (!on)
        return;
    if (m_timer.isAvailable()) {
        if (!m_timer.isEnabled())
            m_timer.enable(minutes);
        return;
    }
    if (!m_backgroundEntry.isEnabled())
        m_backgroundEntry.enable();
    if (m_startBackground)
        m_startBackground(); // ends at once when one is running
}

QDateTime AutoChangeSchedule::nextChange(const QDateTime &now, int minutes, const QDateTime &lastRun)
{
    if (minutes <= 0)
        minutes = 60;
    const bool aligned = (minutes < 60 && 60 % minutes == 0) || (minutes % 60 == 0 && 1440 % minutes == 0);
    if (!aligned) {
        const QDateTime from = lastRun.isValid() ? lastRun : now;
        QDateTime next = from.addSecs(qint64(minutes) * 60);
        return next > now ? next : now;
    }
    const QDateTime local = now.toLocalTime();
    const int minuteOfDay = local.time().hour() * 60 + local.time().minute();
    const int nextMinute = (minuteOfDay / minutes + 1) * minutes;
    return QDateTime(local.date(), QTime(0, 0)).addSecs(qint64(nextMinute) * 60);
}
