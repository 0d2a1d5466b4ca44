// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QSettings;

// The user's preferences file. One QSettings object serves the whole process, so a value
// written by one part of the program is what every other part reads next.
class SettingsStore
{
public:
    SettingsStore() = delete;

    // Created on first use (after QCoreApplication has its organisation and application
    // names) and kept to the end of the process.
    static QSettings &shared();
};
