// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

enum class WallpaperFormat { jpg, png, heic };

inline QString rawValue(WallpaperFormat format)
{
    switch (format) {
    case WallpaperFormat::jpg: return QStringLiteral("jpg");
    case WallpaperFormat::png: return QStringLiteral("png");
    case WallpaperFormat::heic: return QStringLiteral("heic");
    }
    return {};
}

// Exact, case-sensitive match of the raw value.
inline std::optional<WallpaperFormat> wallpaperFormatFromRawValue(const QString &raw)
{
    if (raw == QLatin1String("jpg")) return WallpaperFormat::jpg;
    if (raw == QLatin1String("png")) return WallpaperFormat::png;
    if (raw == QLatin1String("heic")) return WallpaperFormat::heic;
    return std::nullopt;
}
