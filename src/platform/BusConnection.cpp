// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BusConnection.h"

BusConnection::BusConnection(QDBusConnection connection)
    : m_connection(std::make_shared<std::optional<QDBusConnection>>(std::move(connection)))
{
}

BusConnection BusConnection::session()
{
    return BusConnection();
}

QDBusConnection BusConnection::get() const
{
    // Asked for on the GUI thread only, like the backends that hold it.
    if (!*m_connection)
        *m_connection = QDBusConnection::sessionBus();
    return **m_connection;
}
