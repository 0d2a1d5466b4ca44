// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `lumivane --next-wallpaper`: one automatic change now, without a window (what the systemd
// timer runs). Returns the process exit status; the outcome is printed.
int runNextWallpaperCommand();

// `lumivane --background`: no window, a change at each interval while "Auto-change wallpaper"
// is on, for sessions without a systemd user manager. One instance per user; ends when the
// switch goes off.
int runBackgroundMode();
