// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

struct WallpaperDownload {
    QString url;      // absolute URL of the file to fetch
    QString filename; // name the service suggests (untrusted: reduce before joining to a folder)
};
