// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/DeviceIdentity.h"

#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "platform/MachineIdSource.h"

#include <QSettings>
#include <QUuid>

DeviceIdentity::DeviceIdentity(QSettings &settings, std::function<QString()> platformUuid)
    : m_settings(settings)
    , m_platformUuid(std::move(platformUuid))
{
}

DeviceIdentity &DeviceIdentity::shared()
{
    static DeviceIdentity *instance = new DeviceIdentity(SettingsStore::shared(), [] { return MachineIdSource::applicationMachineUuid(); });
    return *instance;
}

QString DeviceIdentity::machineId() const
{
    const QString stored = m_settings.value(PreferenceKeys::machineId).toString();
    if (!stored.isEmpty())
        return stored;
    QString candidate = m_platformUuid ? m_platformUuid() : QString();
    if (candidate.isEmpty())
        candidate = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    m_settings.setValue(PreferenceKeys::machineId, candidate);
    m_settings.sync();
    return candidate;
}
