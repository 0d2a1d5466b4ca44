// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/AutoChangeSchedule.h"

#include "models/AppError.h"
#include "platform/LoginItemBackend.h"
#include "platform/SystemdUserTimer.h"
#include "platform/XdgAutostartBackend.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

AutoChangeSchedule::AutoChangeSchedule(SystemdUserTimer &timer, LoginItemBackend &backgroundEntry,
                                       std::function<void()> startBackground, QObject *parent)
    : QObject(parent)
    , m_timer(timer)
    , m_backgroundEntry(backgroundEntry)
    , m_startBackground(std::move(startBackground))
{
}

AutoChangeSchedule &AutoChangeSchedule::shared()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    static SystemdUserTimer timer(BusConnection::session(), config + QStringLiteral("/systemd/user"),
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
    queue({on, minutes, false});
}

void AutoChangeSchedule::ensure(bool on, int minutes)
{
    if (!on || m_running)
        return;
    queue({on, minutes, true});
}

void AutoChangeSchedule::queue(Request request)
{
    m_waiting = request;
    if (m_running)
        return; // the running drain takes it next
    m_running = true;
    drain(); // runs on; the task's frame lives until it ends
}

QCoro::Task<void> AutoChangeSchedule::drain()
{
    QPointer<AutoChangeSchedule> self(this);
    QString error;
    while (m_waiting) {
        const Request request = *std::exchange(m_waiting, std::nullopt);
        error.clear();
        try {
            co_await perform(request);
        } catch (const AppError &e) {
            error = e.description();
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
        if (!self)
            co_return;
    }
    m_running = false;
    Q_EMIT settled(error);
}

QCoro::Task<void> AutoChangeSchedule::perform(Request request)
{
    if (!request.on) {
        co_await m_timer.disable();
        m_backgroundEntry.disable(); // a background mode still running sees the switch and ends
        co_return;
    }
    const bool systemd = co_await m_timer.isAvailable();
    if (request.onlyWhatIsMissing) {
        if (systemd) {
            if (!m_timer.isEnabled())
                co_await m_timer.enable(request.minutes);
            co_return;
        }
        if (!m_backgroundEntry.isEnabled())
            m_backgroundEntry.enable();
        if (m_startBackground)
            m_startBackground(); // ends at once when one is running
        co_return;
    }
    if (systemd) {
        co_await m_timer.enable(request.minutes);
        m_backgroundEntry.disable();
        co_return;
    }
    co_await m_timer.disable();
    m_backgroundEntry.enable();
    if (m_startBackground)
        m_startBackground();
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
