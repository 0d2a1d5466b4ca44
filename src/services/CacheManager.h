// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The application's cache folder, <GenericCacheLocation>/Lumivane: its size and clearing.
class CacheManager
{
public:
    explicit CacheManager(QString cacheDirectory);

    static CacheManager &shared();

    const QString &cacheDirectory() const { return m_cacheDirectory; }

    // Bytes of every non-hidden file below the folder; 0 when it does not exist.
    qint64 cacheSize() const;
    // Removes the folder with everything in it and recreates it empty; does nothing when it does
    // not exist. Throws FileError.
    void clearCache() const;

private:
    QString m_cacheDirectory;
};
