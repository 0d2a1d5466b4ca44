// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/WallpaperError.h"

#include <QCoreApplication>

WallpaperError WallpaperError::setFailed(const QString &reason)
{
    return WallpaperError(Kind::setFailed, QCoreApplication::translate("WallpaperError", "Failed to set wallpaper: ") + reason);
}

WallpaperError WallpaperError::downloadFailed()
{
    return WallpaperError(Kind::downloadFailed, QCoreApplication::translate("WallpaperError", "Failed to download wallpaper"));
}

WallpaperError WallpaperError::noScreens()
{
    return WallpaperError(Kind::noScreens, QCoreApplication::translate("WallpaperError", "No screens detected"));
}

WallpaperError WallpaperError::permissionDenied()
{
    return WallpaperError(Kind::permissionDenied, QCoreApplication::translate("WallpaperError", "Accessibility permission required"));
}

WallpaperError WallpaperError::unsupportedOS()
{
    return WallpaperError(Kind::unsupportedOS, QCoreApplication::translate("WallpaperError", "This feature requires macOS 14 or later"));
}
