// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QSettings;

// The application's caches: <GenericCacheLocation>/Lumivane (downloaded wallpapers) and the
// views' image disk cache beside it; their size and clearing.
class CacheManager
{
public:
    // `imageCacheDirectory` empty: no image cache. `settings`: where the wallpaper engine records
    // the pictures a desktop or the lock screen may show (none: nothing is kept).
    explicit CacheManager(QString cacheDirectory, QString imageCacheDirectory = {}, QSettings *settings = nullptr);

    static CacheManager &shared();

    const QString &cacheDirectory() const { return m_cacheDirectory; }
    const QString &imageCacheDirectory() const { return m_imageCacheDirectory; }

    // Bytes of every non-hidden file below either folder; 0 when they do not exist.
    qint64 cacheSize() const;
    // Empties both folders, except the pictures a desktop or the lock screen may be showing:
    // removing those would leave the desktop pointing at a missing file. The wallpapers folder is
    // recreated; the image cache keeps its folders, which its cache expects to exist. Does nothing
    // to a folder that does not exist. Throws FileError.
    void clearCache() const;

private:
    QString m_cacheDirectory;
    QString m_imageCacheDirectory;
    QSettings *m_settings;
};
