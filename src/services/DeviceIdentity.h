// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QSettings;

// The per-device identifier sent with uploads. Obtained once (from the platform's machine id
// source, else a random upper-case UUID) and kept under "lumivane_machine_id".
class DeviceIdentity
{
public:
    // `platformUuid` returns the platform's stable id, or an empty string when there is none.
    DeviceIdentity(QSettings &settings, std::function<QString()> platformUuid);

    static DeviceIdentity &shared();

    QString machineId() const;

private:
    QSettings &m_settings;
    std::function<QString()> m_platformUuid;
};
