// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemdUserTimer.h"

#include "models/AppError.h"

#include <QCoreApplication>
#include <QCoroDBusPendingCall>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
const QString manager = u"org.freedesktop.systemd1"_s;
const QString managerPath = u"/org/freedesktop/systemd1"_s;
const QString managerInterface = u"org.freedesktop.systemd1.Manager"_s;
constexpr int callTimeoutMs = 10'000;
} // namespace

SystemdUserTimer::SystemdUserTimer(BusConnection bus, QString unitDirectory, QString executablePath)
    : m_bus(std::move(bus))
    , m_unitDirectory(std::move(unitDirectory))
    , m_executablePath(std::move(executablePath))
{
}

QCoro::Task<bool> SystemdUserTimer::isAvailable() const
{
    const QDBusConnection bus = m_bus.get();
    if (!bus.isConnected())
        co_return false;
    QDBusMessage message = QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                                          u"org.freedesktop.DBus"_s, u"NameHasOwner"_s);
    message << manager;
    const QDBusPendingCall pending = bus.asyncCall(message, callTimeoutMs);
    const QDBusMessage reply = co_await pending;
    co_return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

QString SystemdUserTimer::execWord(const QString &word)
{
    QString out;
    bool quote = word.isEmpty();
    for (QChar c : word) {
        if (c.isSpace() || c == u'"' || c == u'\'' || c == u'\\' || c == u';')
            quote = true;
        if (c == u'"' || c == u'\\')
            out += u'\\';
        if (c == u'%') // specifiers are expanded unless doubled (variables are not, in the program's path)
            out += c;
        out += c;
    }
    return quote ? u'"' + out + u'"' : out;
}

QString SystemdUserTimer::serviceText(const QString &executablePath)
{
    return u"[Unit]\n"
           "Description=Change the Lumivane wallpaper\n"
           "\n"
           "[Service]\n"
           "Type=oneshot\n"
           "ExecStart=%1 --next-wallpaper\n"_s.arg(execWord(executablePath));
}

QString SystemdUserTimer::calendarFor(int minutes)
{
    if (minutes > 0 && minutes < 60 && 60 % minutes == 0)
        return u"*-*-* *:00/%1:00"_s.arg(minutes);
    if (minutes == 1440)
        return u"*-*-* 00:00:00"_s;
    if (minutes >= 60 && minutes % 60 == 0 && 24 % (minutes / 60) == 0)
        return u"*-*-* 00/%1:00:00"_s.arg(minutes / 60);
    return {};
}

QString SystemdUserTimer::timerText(int minutes)
{
    if (minutes <= 0)
        minutes = 60;
    const QString calendar = calendarFor(minutes);
    // A calendar timer with Persistent= runs a change missed while the machine was off (or the
    // user logged out) as soon as the user manager is back.
    const QString when = calendar.isEmpty()
        ? u"OnActiveSec=%1min\nOnUnitActiveSec=%1min\n"_s.arg(minutes)
        : u"OnCalendar=%1\nPersistent=true\n"_s.arg(calendar);
    return u"[Unit]\n"
           "Description=Change the Lumivane wallpaper every %1 minutes\n"
           "\n"
           "[Timer]\n"
           "%2"
           "AccuracySec=1min\n"
           "Unit=%3\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n"_s.arg(QString::number(minutes), when, serviceName());
}

void SystemdUserTimer::write(const QString &path, const QString &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw FileError(QCoreApplication::translate("SystemdUserTimer", "Could not create the folder %1").arg(QFileInfo(path).absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw FileError(QCoreApplication::translate("SystemdUserTimer", "Could not write %1: %2").arg(path, file.errorString()));
}

QCoro::Task<void> SystemdUserTimer::call(QString method, QVariantList arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(manager, managerPath, managerInterface, method);
    message.setArguments(arguments);
    const QDBusPendingCall pending = m_bus.get().asyncCall(message, callTimeoutMs);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw AppError(u"systemd could not %1 the automatic change: %2"_s.arg(method, reply.errorMessage()));
}

QCoro::Task<void> SystemdUserTimer::enable(int minutes)
{
    if (m_executablePath.isEmpty())
        throw FileError(QCoreApplication::translate("SystemdUserTimer", "The path of the running program is unknown"));
    write(servicePath(), serviceText(m_executablePath));
    write(timerPath(), timerText(minutes));
    // The arguments are locals: g++ 12 cannot keep brace-built temporaries across a co_await.
    const QVariantList none;
    const QVariantList enableArguments{QStringList{timerName()}, false, true};
    const QVariantList unitArguments{timerName(), u"replace"_s};
    try {
        co_await call(u"Reload"_s, none);
        co_await call(u"EnableUnitFiles"_s, enableArguments);
        // A running timer keeps its old schedule until it is started afresh.
        co_await call(u"StopUnit"_s, unitArguments);
        co_await call(u"StartUnit"_s, unitArguments);
    } catch (const AppError &) {
        // Units left behind would pass for an installed schedule at the next start.
        QFile::remove(timerPath());
        QFile::remove(servicePath());
        throw;
    }
}

QString SystemdUserTimer::stampPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/systemd/timers/stamp-"_s + timerName();
}

QCoro::Task<void> SystemdUserTimer::disable()
{
    // Persistent= leaves the time of the last run here; the manager keeps it after the unit is gone.
    QFile stamp(stampPath());
    if (stamp.exists() && !stamp.remove())
        throw FileError(QCoreApplication::translate("SystemdUserTimer", "Could not remove %1: %2").arg(stamp.fileName(), stamp.errorString()));
    const bool present = QFileInfo::exists(timerPath()) || QFileInfo::exists(servicePath());
    if (!present)
        co_return;
    const bool available = co_await isAvailable();
    if (available) {
        const QVariantList stopArguments{timerName(), u"replace"_s};
        const QVariantList disableArguments{QStringList{timerName()}, false};
        co_await call(u"StopUnit"_s, stopArguments);
        co_await call(u"DisableUnitFiles"_s, disableArguments);
    }
    for (const QString &path : {timerPath(), servicePath()}) {
        QFile file(path);
        if (file.exists() && !file.remove())
            throw FileError(QCoreApplication::translate("SystemdUserTimer", "Could not remove %1: %2").arg(path, file.errorString()));
    }
    if (available)
        co_await call(u"Reload"_s, QVariantList());
}

bool SystemdUserTimer::isEnabled() const
{
    return QFileInfo::exists(timerPath());
}
