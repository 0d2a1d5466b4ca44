// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>

#include <memory>
#include <optional>

// A D-Bus connection made the first time it is asked for. The backends that talk to the desktop
// are built at start, but most starts call nothing on the bus: connecting at once would start
// QtDBus's thread, load libdbus and wait for the bus's greeting before the window shows.
// Copies share the one connection.
class BusConnection
{
public:
    // An existing connection (a test's private bus).
    BusConnection(QDBusConnection connection);
    // The session bus, connected on first use.
    static BusConnection session();

    QDBusConnection get() const;

private:
    BusConnection() = default;

    // Empty until the session bus is first asked for.
    std::shared_ptr<std::optional<QDBusConnection>> m_connection = std::make_shared<std::optional<QDBusConnection>>();
};
