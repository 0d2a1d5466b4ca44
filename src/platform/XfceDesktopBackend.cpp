// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XfceDesktopBackend.h"

#include "platform/DesktopError.h"

#include <QCoreApplication>
#include <QCoroDBusPendingCall>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {
const QString channel = u"xfce4-desktop"_s;
}

XfceDesktopBackend::XfceDesktopBackend(QDBusConnection connection)
    : m_connection(std::move(connection))
{
}

QStringList XfceDesktopBackend::backdropFolders(const QStringList &existingProperties, const DesktopScreen &screen)
{
    static const QRegularExpression pattern(
        u"^/backdrop/screen0/monitor([^/]+)/workspace(\\d+)/last-image$"_s);
    QMap<QString, QSet<int>> workspacesByMonitor;
    for (const QString &property : existingProperties) {
        const QRegularExpressionMatch match = pattern.match(property);
        if (match.hasMatch())
            workspacesByMonitor[match.captured(1)].insert(match.captured(2).toInt());
    }

    const auto foldersOf = [&](const QString &monitor) {
        QList<int> workspaces = workspacesByMonitor.value(monitor).values();
        if (workspaces.isEmpty())
            workspaces << 0;
        std::sort(workspaces.begin(), workspaces.end());
        QStringList folders;
        for (int workspace : workspaces)
            folders << u"/backdrop/screen0/monitor%1/workspace%2"_s.arg(monitor).arg(workspace);
        return folders;
    };

    // A screen without a name is Qt's offscreen one (a command over ssh or from a timer): the
    // monitors xfdesktop really reads are the ones its settings already hold. A made-up name
    // would be written and never shown.
    if (screen.name.isEmpty()) {
        QStringList folders;
        for (auto it = workspacesByMonitor.cbegin(); it != workspacesByMonitor.cend(); ++it)
            folders += foldersOf(it.key());
        return folders;
    }

    QString monitor;
    if (workspacesByMonitor.contains(screen.name))
        monitor = screen.name;
    else if (workspacesByMonitor.contains(QString::number(screen.index)))
        monitor = QString::number(screen.index);
    else
        monitor = screen.name;
    return foldersOf(monitor);
}

QCoro::Task<QDBusMessage> XfceDesktopBackend::call(QString method, QVariantList arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(u"org.xfce.Xfconf"_s, u"/org/xfce/Xfconf"_s,
                                                          u"org.xfce.Xfconf"_s, method);
    message.setArguments(arguments);
    const QDBusPendingCall pending = m_connection.asyncCall(message);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw DesktopError(QCoreApplication::translate("XfceDesktopBackend", "Xfce's settings service refused %1: %2").arg(method, reply.errorMessage()));
    co_return reply;
}

QCoro::Task<void> XfceDesktopBackend::setDesktopImage(QString filePath, DesktopScreen screen)
{
    QStringList existing;
    {
        QDBusMessage message = QDBusMessage::createMethodCall(u"org.xfce.Xfconf"_s, u"/org/xfce/Xfconf"_s,
                                                              u"org.xfce.Xfconf"_s, u"GetAllProperties"_s);
        message << channel << u"/backdrop"_s;
        const QDBusPendingCall pending = m_connection.asyncCall(message);
        const QDBusMessage reply = co_await pending;
        // A channel with no backdrop yet answers with an error; we then create the first entry.
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
            QMap<QString, QVariant> properties;
            argument >> properties;
            existing = properties.keys();
        }
    }

    const QStringList folders = backdropFolders(existing, screen);
    if (folders.isEmpty())
        throw DesktopError(u"Xfce's settings name no monitor yet, and without a display the monitors cannot be "
                           "asked for; name one with --monitor (xrandr lists them) or run the command in the session"_s);
    for (const QString &folder : folders) {
        const QString imageProperty = folder + u"/last-image"_s;
        const QString styleProperty = folder + u"/image-style"_s;
        const QString setProperty = u"SetProperty"_s;
        const QString getProperty = u"GetProperty"_s;
        // (Arguments are appended, not brace-initialised: g++ 12 miscompiles initializer lists
        // in coroutines.)
        QVariantList setImage, setStyle, getImage;
        setImage << channel << imageProperty << QVariant::fromValue(QDBusVariant(filePath));
        setStyle << channel << styleProperty << QVariant::fromValue(QDBusVariant(int(5)));
        getImage << channel << imageProperty;
        co_await call(setProperty, setImage);
        co_await call(setProperty, setStyle);
        const QDBusMessage reply = co_await call(getProperty, getImage);
        const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
        if (value.toString() != filePath)
            throw DesktopError(QCoreApplication::translate("XfceDesktopBackend", "Xfce did not keep the new picture for %1").arg(folder));
    }
}

QString XfceDesktopBackend::lockScreenNote()
{
    // xfce4-screensaver and light-locker draw no picture that a setting chooses.
    return QCoreApplication::translate("XfceDesktopBackend", "Xfce's screen locker has no lock-screen picture to set");
}

QCoro::Task<DesktopCapabilities> XfceDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    c.lockScreenPicture = false;
    c.lockScreenNote = lockScreenNote();
    c.perMonitor = true;
    co_return c;
}

QCoro::Task<void> XfceDesktopBackend::setLockScreenImage(QString)
{
    throw DesktopError(lockScreenNote());
    co_return;
}
