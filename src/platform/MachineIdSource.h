// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A stable per-machine UUID for this application, derived from the system's machine id
// (/etc/machine-id, else /var/lib/dbus/machine-id) with HMAC-SHA256 keyed by the application id,
// so the raw machine id never leaves the machine. Empty when no machine id is readable.
class MachineIdSource
{
public:
    static QString applicationMachineUuid();
    // The derivation from a given file (tests).
    static QString applicationMachineUuid(const QString &machineIdPath);
    // Formats the first 16 bytes of an HMAC of `machineId` as an upper-case version-4 UUID.
    static QString deriveUuid(const QByteArray &machineId);
};
