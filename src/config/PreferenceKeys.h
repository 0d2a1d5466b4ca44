// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Every key the program reads or writes in the user's settings store, in one place.
namespace PreferenceKeys {

inline const QString changeIntervalMinutes = QStringLiteral("changeIntervalMinutes"); // int, 0/absent → 60
inline const QString autoChangeWallpaper = QStringLiteral("autoChangeWallpaper");     // bool, absent → false
inline const QString lockScreenEnabled = QStringLiteral("lockScreenEnabled");         // bool, absent → false
inline const QString favoriteIds = QStringLiteral("lumivane_favorite_ids");           // string list, absent → empty
inline const QString machineId = QStringLiteral("lumivane_machine_id");               // string, set on first use
// Files that a desktop or the lock screen may be showing; Clear Cache keeps them.
inline const QString desktopPictureFiles = QStringLiteral("lumivane_desktop_picture_files");       // string list
inline const QString lockScreenPictureFiles = QStringLiteral("lumivane_lock_screen_picture_files"); // string list

// Interval used when nothing (or 0) is stored.
inline constexpr int defaultChangeIntervalMinutes = 60;

} // namespace PreferenceKeys
