#pragma once

#include <QString>

// `lumivane --set-wallpaper URL [--lock-screen]`: runs the wallpaper engine without a window.
// Returns the process exit status; errors are printed to standard error.
int runSetWallpaperCommand(const QString &url, bool lockScreen);
