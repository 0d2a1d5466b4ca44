// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DBusNotifier.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDBusPendingCall>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>

DBusNotifier::DBusNotifier(BusConnection connection)
    : m_connection(std::move(connection))
{
}

void DBusNotifier::post(const QString &title, const QString &body)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The freedesktop sound naming's ordinary "something arrived" sound stands for the default.
    const QVariantMap hints{{QStringLiteral("sound-name"), QStringLiteral("message-new-instant")},
                            {QStringLiteral("desktop-entry"), desktopEntry()}};
    message << QStringLiteral("Lumivane") << uint(0) << desktopEntry() << title << body << QStringList() << hints
            << int(-1);
    m_pending.removeIf([](const QDBusPendingCall &call) { return call.isFinished(); });
    m_pending.append(m_connection.get().asyncCall(message));
}

void DBusNotifier::waitForDelivery(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const auto delivered = [this] {
        return std::all_of(m_pending.cbegin(), m_pending.cend(), [](const QDBusPendingCall &call) { return call.isFinished(); });
    };
    while (!delivered() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    m_pending.clear();
}
