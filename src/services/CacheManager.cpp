// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/CacheManager.h"

#include "models/AppError.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

CacheManager::CacheManager(QString cacheDirectory)
    : m_cacheDirectory(std::move(cacheDirectory))
{
}

CacheManager &CacheManager::shared()
{
    static CacheManager *instance = new CacheManager(
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Lumivane"));
    return *instance;
}

qint64 CacheManager::cacheSize() const
{
    // Without QDir::Hidden, hidden files are skipped and hidden folders are not entered.
    qint64 total = 0;
    QDirIterator it(m_cacheDirectory, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isFile())
            total += info.size();
    }
    return total;
}

void CacheManager::clearCache() const
{
    QDir dir(m_cacheDirectory);
    if (!QFileInfo::exists(m_cacheDirectory))
        return;
    if (!dir.removeRecursively())
        throw FileError(QStringLiteral("“%1” couldn’t be removed.").arg(m_cacheDirectory));
    if (!QDir().mkpath(m_cacheDirectory))
        throw FileError(QStringLiteral("“%1” couldn’t be created.").arg(m_cacheDirectory));
}
