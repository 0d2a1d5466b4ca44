// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "models/AppError.h"

class WallpaperError : public AppError
{
public:
    enum class Kind { setFailed, downloadFailed, noScreens, permissionDenied, unsupportedOS };

    static WallpaperError setFailed(const QString &reason); // "Failed to set wallpaper: " + reason
    static WallpaperError downloadFailed();                 // "Failed to download wallpaper"
    static WallpaperError noScreens();                      // "No screens detected"
    static WallpaperError permissionDenied();               // "Accessibility permission required"
    static WallpaperError unsupportedOS();                  // "This feature requires macOS 14 or later"

    Kind kind() const { return m_kind; }

private:
    WallpaperError(Kind kind, QString description)
        : AppError(std::move(description))
        , m_kind(kind)
    {
    }
    Kind m_kind;
};
