// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortalStandIn.h"

#include <QDBusMetaType>

#include <QDBusMessage>
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
} // namespace

PortalStandIn::PortalStandIn()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName))
{
    qDBusRegisterMetaType<QDBusUnixFileDescriptor>();
}

PortalStandIn::~PortalStandIn()
{
    m_connection.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    m_connection.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
    QDBusConnection::disconnectFromBus(connectionName);
}

bool PortalStandIn::registerOnBus()
{
    return m_connection.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                       QDBusConnection::ExportAllSlots)
        && m_connection.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
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
