// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// `lumivane --set-wallpaper URL [--lock-screen | --monitor NAME]`: runs the wallpaper engine
// without a window. `monitor` empty means every monitor. Returns the process exit status;
// errors are printed to standard error.
int runSetWallpaperCommand(const QString &url, bool lockScreen, const QString &monitor = {});
