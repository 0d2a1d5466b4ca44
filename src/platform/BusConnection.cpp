// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BusConnection.h"

BusConnection::BusConnection(QDBusConnection connection)
    : m_state(std::make_shared<State>(State{{}, std::move(connection)}))
{
}

BusConnection::BusConnection(std::function<QDBusConnection()> connect)
    : m_state(std::make_shared<State>(State{std::move(connect), std::nullopt}))
{
}

BusConnection BusConnection::session()
{
    return BusConnection(std::function<QDBusConnection()>(&QDBusConnection::sessionBus));
}

QDBusConnection BusConnection::get() const
{
    // Asked for on the GUI thread only, like the backends that hold it.
    if (!m_state->connection)
        m_state->connection = m_state->connect();
    return *m_state->connection;
}
