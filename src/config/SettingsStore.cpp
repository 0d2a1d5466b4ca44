// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/SettingsStore.h"

#include <QSettings>

QSettings &SettingsStore::shared()
{
    static QSettings *settings = new QSettings; // outlives every user, to the end of the process
    return *settings;
}
