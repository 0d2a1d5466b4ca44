// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/WallpaperError.h"

WallpaperError WallpaperError::setFailed(const QString &reason)
{
    return WallpaperError(Kind::setFailed, QStringLiteral("Failed to set wallpaper: ") + reason);
}

WallpaperError WallpaperError::downloadFailed()
{
    return WallpaperError(Kind::downloadFailed, QStringLiteral("Failed to download wallpaper"));
}

WallpaperError WallpaperError::noScreens()
{
    return WallpaperError(Kind::noScreens, QStringLiteral("No screens detected"));
}

WallpaperError WallpaperError::permissionDenied()
{
    return WallpaperError(Kind::permissionDenied, QStringLiteral("Accessibility permission required"));
}

WallpaperError WallpaperError::unsupportedOS()
{
    return WallpaperError(Kind::unsupportedOS, QStringLiteral("This feature requires macOS 14 or later"));
}
