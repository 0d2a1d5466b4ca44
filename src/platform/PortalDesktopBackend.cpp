// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortalDesktopBackend.h"

#include "platform/DesktopError.h"
#include "platform/PortalResponseWatcher.h"

#include <QCoreApplication>
#include <QCoroDBusPendingCall>
#include <QCoroSignal>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {
const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString requestInterface = u"org.freedesktop.portal.Request"_s;
const QString responseSignal = u"Response"_s;
const char *const responseSlot = SLOT(onResponse(uint,QVariantMap));
} // namespace

PortalDesktopBackend::PortalDesktopBackend(QDBusConnection connection, std::chrono::milliseconds responseTimeout,
                                           bool honoursLockScreen)
    : m_connection(std::move(connection))
    , m_responseTimeout(responseTimeout)
    , m_honoursLockScreen(honoursLockScreen)
{
}

QString PortalDesktopBackend::lockScreenNote()
{
    return QCoreApplication::translate("PortalDesktopBackend", "this desktop's portal cannot set a lock-screen picture (it would change the desktop picture "
           "instead)");
}

QCoro::Task<DesktopCapabilities> PortalDesktopBackend::capabilities()
{
    DesktopCapabilities c;
    c.lockScreenPicture = m_honoursLockScreen;
    if (!m_honoursLockScreen)
        c.lockScreenNote = lockScreenNote();
    co_return c;
}

QCoro::Task<bool> PortalDesktopBackend::refusalRemembered()
{
    QDBusMessage lookup = QDBusMessage::createMethodCall(u"org.freedesktop.impl.portal.PermissionStore"_s,
                                                         u"/org/freedesktop/impl/portal/PermissionStore"_s,
                                                         u"org.freedesktop.impl.portal.PermissionStore"_s, u"Lookup"_s);
    lookup << u"wallpaper"_s << u"wallpaper"_s;
    const QDBusPendingCall pending = m_connection.asyncCall(lookup, 5000);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        co_return false; // no table yet: nothing was ever refused
    // a{sas}: application id → permissions; a program outside a sandbox has the empty id.
    const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
    bool refused = false;
    argument.beginMap();
    while (!argument.atEnd()) {
        QString app;
        QStringList permissions;
        argument.beginMapEntry();
        argument >> app >> permissions;
        argument.endMapEntry();
        if (app.isEmpty() && permissions.contains(u"no"_s))
            refused = true;
    }
    argument.endMap();
    co_return refused;
}

QCoro::Task<bool> PortalDesktopBackend::offersWallpaper(QDBusConnection connection)
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, u"/org/freedesktop/portal/desktop"_s,
                                                       u"org.freedesktop.DBus.Introspectable"_s, u"Introspect"_s);
    // Starting the portal on demand can take a few seconds; longer means it is not usable.
    const QDBusPendingCall pending = connection.asyncCall(call, 10000);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage)
        co_return false;
    co_return reply.arguments().value(0).toString().contains(u"\"org.freedesktop.portal.Wallpaper\""_s);
}

QString PortalDesktopBackend::requestPath(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName;
    if (sender.startsWith(u':'))
        sender.remove(0, 1);
    sender.replace(u'.', u'_');
    return u"/org/freedesktop/portal/desktop/request/"_s + sender + u'/' + token;
}

QCoro::Task<void> PortalDesktopBackend::setDesktopImage(QString filePath, DesktopScreen)
{
    co_await apply(filePath, u"background"_s);
}

QCoro::Task<void> PortalDesktopBackend::setLockScreenImage(QString filePath)
{
    if (!m_honoursLockScreen)
        throw DesktopError(lockScreenNote());
    co_await apply(filePath, u"lockscreen"_s);
}

QCoro::Task<void> PortalDesktopBackend::apply(QString filePath, QString setOn)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw DesktopError(u"could not open %1: %2"_s.arg(filePath, file.errorString()));

    const QString token = u"lumivane%1"_s.arg(QRandomGenerator::global()->generate());
    const QString expected = requestPath(m_connection.baseService(), token);

    // Subscribe before calling: the portal may answer before its reply to the call arrives.
    PortalResponseWatcher watcher;
    m_connection.connect(portalService, expected, requestInterface, responseSignal, &watcher, responseSlot);

    QVariantMap options;
    options.insert(u"handle_token"_s, token);
    options.insert(u"set-on"_s, setOn);
    options.insert(u"show-preview"_s, false);
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, u"/org/freedesktop/portal/desktop"_s,
                                                       u"org.freedesktop.portal.Wallpaper"_s, u"SetWallpaperFile"_s);
    call << QString() << QVariant::fromValue(QDBusUnixFileDescriptor(file.handle())) << options;
    const QDBusPendingCall pending = m_connection.asyncCall(call);
    const QDBusMessage reply = co_await pending;
    file.close();

    QString handle = expected;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_connection.disconnect(portalService, expected, requestInterface, responseSignal, &watcher, responseSlot);
        throw DesktopError(QCoreApplication::translate("PortalDesktopBackend", "the desktop portal refused the picture: %1").arg(reply.errorMessage()));
    }
    // Portals older than the handle_token convention pick their own path.
    const QString returned = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!returned.isEmpty() && returned != expected) {
        handle = returned;
        m_connection.connect(portalService, handle, requestInterface, responseSignal, &watcher, responseSlot);
    }

    if (!watcher.code()) {
        const auto answered = co_await qCoro(&watcher, &PortalResponseWatcher::answered, m_responseTimeout);
        Q_UNUSED(answered);
    }
    m_connection.disconnect(portalService, expected, requestInterface, responseSignal, &watcher, responseSlot);
    if (handle != expected)
        m_connection.disconnect(portalService, handle, requestInterface, responseSignal, &watcher, responseSlot);

    if (!watcher.code()) {
        // Left open, the request's dialog could still change the picture after we reported
        // a failure.
        QDBusMessage close = QDBusMessage::createMethodCall(portalService, handle, requestInterface, u"Close"_s);
        const QDBusPendingCall closing = m_connection.asyncCall(close, 5000);
        const QDBusMessage closed = co_await closing;
        Q_UNUSED(closed);
        throw DesktopError(QCoreApplication::translate("PortalDesktopBackend", "the desktop portal did not answer"));
    }
    const uint code = *watcher.code();
    if (code == 0)
        co_return;
    // The portal answers a refusal it remembers, and one just given in its dialog, with 2.
    const bool refused = co_await refusalRemembered();
    if (refused)
        throw DesktopError(u"permission to change the wallpaper was refused in the desktop's dialog, and the desktop "
                           "remembers it; allow it again in the desktop's privacy settings (or run "
                           "\"flatpak permission-remove wallpaper wallpaper\")"_s);
    if (code == 1)
        throw DesktopError(QCoreApplication::translate("PortalDesktopBackend", "the change was cancelled"));
    throw DesktopError(QCoreApplication::translate("PortalDesktopBackend", "the desktop portal could not set the picture"));
}
