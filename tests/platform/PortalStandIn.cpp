// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortalStandIn.h"

#include <QDBusMetaType>

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString connectionName = QStringLiteral("portal-stand-in");

QByteArray readAll(int fd)
{
    QByteArray data;
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0)
            break;
        data.append(buffer, n);
        offset += n;
    }
    return data;
}
const QString requestRoot = QStringLiteral("/org/freedesktop/portal/desktop/request");
const QString storePath = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");
const QString storeName = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
} // namespace

// The request objects (for Request.Close) and the permission store, answered by hand.
class PortalStandInObjects : public QDBusVirtualObject
{
public:
    explicit PortalStandInObjects(PortalStandIn &portal)
        : m_portal(portal)
    {
    }
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        return m_portal.handle(message, connection);
    }

private:
    PortalStandIn &m_portal;
};

PortalStandIn::PortalStandIn()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName))
{
    qDBusRegisterMetaType<QDBusUnixFileDescriptor>();
    qDBusRegisterMetaType<QMap<QString, QStringList>>();
}

PortalStandIn::~PortalStandIn()
{
    m_connection.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    m_connection.unregisterObject(requestRoot);
    m_connection.unregisterObject(storePath);
    m_connection.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    m_connection.unregisterService(storeName);
    QDBusConnection::disconnectFromBus(connectionName);
}

bool PortalStandIn::registerOnBus()
{
    auto *objects = new PortalStandInObjects(*this);
    m_objects.reset(objects);
    bool ok = m_connection.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                          QDBusConnection::ExportAllSlots)
        && m_connection.registerVirtualObject(requestRoot, objects, QDBusConnection::SubPath)
        && m_connection.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    if (wallpaperPermissions)
        ok = ok && m_connection.registerVirtualObject(storePath, objects) && m_connection.registerService(storeName);
    return ok;
}

bool PortalStandIn::handle(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.member() == QLatin1String("Close") && message.path().startsWith(requestRoot)) {
        closedRequests.append(message.path());
        connection.send(message.createReply());
        return true;
    }
    if (message.member() == QLatin1String("Lookup") && message.path() == storePath && wallpaperPermissions) {
        QDBusMessage reply = message.createReply();
        reply << QVariant::fromValue(*wallpaperPermissions) << QVariant::fromValue(QDBusVariant(QVariant(0u)));
        connection.send(reply);
        return true;
    }
    return false;
}

void PortalStandIn::respond(const QString &path, uint code)
{
    QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                     QStringLiteral("Response"));
    signal << code << QVariantMap();
    m_connection.send(signal);
}

QDBusObjectPath PortalStandIn::SetWallpaperFile(const QString &parentWindow, const QDBusUnixFileDescriptor &file,
                                                const QVariantMap &options)
{
    Call call;
    call.sender = message().service();
    call.parentWindow = parentWindow;
    if (file.isValid()) {
        call.bytes = readAll(file.fileDescriptor());
        call.readOnly = (::fcntl(file.fileDescriptor(), F_GETFL) & O_ACCMODE) == O_RDONLY;
    }
    call.options = options;

    // The portal's documented request path: the sender's unique name without ':' and with '_'
    // for '.', then the caller's token.
    QString sender = call.sender.mid(1);
    sender.replace(u'.', u'_');
    const QString token = pathOfItsOwn ? QStringLiteral("portal%1").arg(calls.size())
                                       : options.value(QStringLiteral("handle_token")).toString();
    call.requestPath = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + u'/' + token;
    calls.append(call);

    if (!refuseWith.isEmpty()) {
        sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotAllowed"), refuseWith);
        return {};
    }
    const QString path = answerOnAnotherRequest ? call.requestPath + QStringLiteral("x") : call.requestPath;
    if (answer) {
        const uint code = *answer;
        if (answerBeforeReply)
            respond(path, code);
        else
            QTimer::singleShot(answerDelayMs, this, [this, path, code] { respond(path, code); });
    }
    return QDBusObjectPath(call.requestPath);
}
