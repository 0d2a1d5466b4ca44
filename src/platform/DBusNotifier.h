// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Notifier.h"

#include "platform/BusConnection.h"

#include <QDBusPendingCall>
#include <QList>

// org.freedesktop.Notifications.Notify on the session bus, sent without waiting for the answer
// (waitForDelivery() waits for it); a missing notification server is ignored.
class DBusNotifier : public Notifier
{
public:
    explicit DBusNotifier(BusConnection connection = BusConnection::session());
    void post(const QString &title, const QString &body) override;
    void waitForDelivery(int timeoutMs) override;

    // Names the sender for the desktop (its icon and entry in the notification settings).
    static QString desktopEntry() { return QStringLiteral("app.lumivane.Lumivane"); }

private:
    BusConnection m_connection;
    QList<QDBusPendingCall> m_pending;
};
