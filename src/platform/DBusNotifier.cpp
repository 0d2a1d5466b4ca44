// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>
#include <QVariantMap>

DBusNotifier::DBusNotifier(QDBusConnection connection)
    : m_connection(std::move(connection))
{
}

void DBusNotifier::post(const QString &title, const QString &body)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The freedesktop sound naming's ordinary "something arrived" sound stands for the default.
    const QVariantMap hints{{QStringLiteral("sound-name"), QStringLiteral("message-new-instant")}};
    message << QStringLiteral("Lumivane") << uint(0) << QString() << title << body << QStringList() << hints
            << int(-1);
    m_connection.asyncCall(message);
}
