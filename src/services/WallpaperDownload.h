// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QUrl>

#include <optional>

struct WallpaperDownload {
    QString url;      // absolute URL of the file to fetch
    QString filename; // name the service suggests (untrusted: reduce before joining to a folder)

    // `url` as an absolute URL, or nothing when the service sent something else.
    std::optional<QUrl> absoluteUrl() const
    {
        const QUrl parsed(url, QUrl::StrictMode);
        if (url.isEmpty() || !parsed.isValid() || parsed.isRelative())
            return std::nullopt;
        return parsed;
    }
};
