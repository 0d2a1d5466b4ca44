// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// `lumivane --set-wallpaper URL [--lock-screen]`: runs the wallpaper engine without a window.
// Returns the process exit status; errors are printed to standard error.
int runSetWallpaperCommand(const QString &url, bool lockScreen);
