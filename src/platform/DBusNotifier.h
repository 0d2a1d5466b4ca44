// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>

// org.freedesktop.Notifications.Notify on the session bus, sent without waiting for the answer;
// a missing notification server is ignored.
class DBusNotifier : public Notifier
{
public:
    explicit DBusNotifier(QDBusConnection connection = QDBusConnection::sessionBus());
    void post(const QString &title, const QString &body) override;

private:
    QDBusConnection m_connection;
};
