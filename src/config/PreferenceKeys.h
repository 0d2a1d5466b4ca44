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
// Where one picture spans all monitors: the picture last applied to each monitor, by its name,
// and under "" the one last applied to all of them.
inline const QString desktopPicturesByMonitor = QStringLiteral("lumivane_desktop_pictures_by_monitor"); // map name → path

// Automatic change: what it picks from, what it has shown, and how the last run ended.
inline const QString autoChangeSource = QStringLiteral("lumivane_autochange_source");          // string, see AutoChanger
inline const QString autoChangeFitDisplays = QStringLiteral("lumivane_autochange_fit_displays"); // bool, absent → false
inline const QString autoChangeNotify = QStringLiteral("lumivane_autochange_notify");            // bool, absent → true
inline const QString autoChangeDisplaySizes = QStringLiteral("lumivane_autochange_display_sizes"); // string list "WxH"
inline const QString autoChangeShownIds = QStringLiteral("lumivane_autochange_shown_ids");      // string list
inline const QString autoChangeShownSource = QStringLiteral("lumivane_autochange_shown_source"); // string
inline const QString autoChangeCurrentId = QStringLiteral("lumivane_autochange_current_id");    // string
inline const QString autoChangeLastRun = QStringLiteral("lumivane_autochange_last_run");        // ISO date-time
inline const QString autoChangeLastResult = QStringLiteral("lumivane_autochange_last_result");  // string
inline const QString autoChangeLastFailed = QStringLiteral("lumivane_autochange_last_failed");  // bool
// The desktop the window last ran in (XDG_CURRENT_DESKTOP), for a timer run that lacks it.
inline const QString sessionDesktop = QStringLiteral("lumivane_session_desktop"); // string
// The desktop draws the window's title bar and buttons instead of the app's toolbar doing so.
inline const QString systemDecorations = QStringLiteral("lumivane_system_decorations"); // bool, absent → false
// Files saved with "Save to Downloads", newest last.
inline const QString savedDownloads = QStringLiteral("lumivane_saved_downloads"); // list of {path, id}

// Interval used when nothing (or 0) is stored.
inline constexpr int defaultChangeIntervalMinutes = 60;

} // namespace PreferenceKeys
