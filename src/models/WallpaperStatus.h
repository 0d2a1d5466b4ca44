// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Moderation state of a wallpaper.
enum class WallpaperStatus { pending, approved, rejected };

inline QString rawValue(WallpaperStatus status)
{
    switch (status) {
    case WallpaperStatus::pending: return QStringLiteral("pending");
    case WallpaperStatus::approved: return QStringLiteral("approved");
    case WallpaperStatus::rejected: return QStringLiteral("rejected");
    }
    return {};
}

inline std::optional<WallpaperStatus> wallpaperStatusFromRawValue(const QString &raw)
{
    if (raw == QLatin1String("pending")) return WallpaperStatus::pending;
    if (raw == QLatin1String("approved")) return WallpaperStatus::approved;
    if (raw == QLatin1String("rejected")) return WallpaperStatus::rejected;
    return std::nullopt;
}
