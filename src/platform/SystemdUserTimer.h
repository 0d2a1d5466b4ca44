// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoroTask>
#include "platform/BusConnection.h"

#include <QString>

// The automatic change as a systemd user timer: lumivane-autochange.timer starts
// lumivane-autochange.service, which runs `lumivane --next-wallpaper`. The unit files are
// written into the user's unit folder and enabled, started, re-timed, stopped and disabled
// through the user manager's D-Bus API, each call awaited (never blocking the caller's thread)
// and bounded to 10 s. Failures throw AppError from the awaited task.
class SystemdUserTimer
{
public:
    // `unitDirectory` is $XDG_CONFIG_HOME/systemd/user; `executablePath` the program to run.
    SystemdUserTimer(BusConnection bus, QString unitDirectory, QString executablePath);

    static QString timerName() { return QStringLiteral("lumivane-autochange.timer"); }
    static QString serviceName() { return QStringLiteral("lumivane-autochange.service"); }

    // Whether a systemd user manager answers on the bus.
    QCoro::Task<bool> isAvailable() const;
    // Writes both units for a change every `minutes`, enables the timer and (re)starts it.
    QCoro::Task<void> enable(int minutes);
    // Stops and disables the timer and removes both unit files; nothing is left behind.
    QCoro::Task<void> disable();
    bool isEnabled() const;

    QString timerPath() const { return m_unitDirectory + u'/' + timerName(); }
    QString servicePath() const { return m_unitDirectory + u'/' + serviceName(); }
    // Where the user manager records the timer's last run.
    static QString stampPath();

    static QString serviceText(const QString &executablePath);
    static QString timerText(int minutes);
    // The calendar expression for "every `minutes`" when the clock can express it (a divisor of
    // an hour or of a day), else empty.
    static QString calendarFor(int minutes);
    // The program's path as the first word of ExecStart=: quoted when needed, '%' doubled.
    static QString execWord(const QString &word);

private:
    QCoro::Task<void> call(QString method, QVariantList arguments) const;
    static void write(const QString &path, const QString &text);

    BusConnection m_bus;
    QString m_unitDirectory;
    QString m_executablePath;
};
