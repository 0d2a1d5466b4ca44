// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceIdentity.h"

#include "MachineIdSource.h"
#include "PreferenceKeys.h"

#include <QSettings>
#include <QUuid>

DeviceIdentity::DeviceIdentity(QSettings &settings, std::function<QString()> platformUUID)
    : m_settings(settings)
    , m_platformUUID(std::move(platformUUID))
{
}

DeviceIdentity &DeviceIdentity::shared()
{
    static QSettings *settings = new QSettings;
    static DeviceIdentity *instance = new DeviceIdentity(*settings, [] { return MachineIdSource::applicationMachineUUID(); });
    return *instance;
}

QString DeviceIdentity::machineId() const
{
    const QString stored = m_settings.value(PreferenceKeys::machineId).toString();
    if (!stored.isEmpty())
        return stored;
    QString candidate = m_platformUUID ? m_platformUUID() : QString();
    if (candidate.isEmpty())
        candidate = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    m_settings.setValue(PreferenceKeys::machineId, candidate);
    m_settings.sync();
    return candidate;
}
