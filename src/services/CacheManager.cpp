// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/CacheManager.h"

#include "config/AppConfig.h"
#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "models/AppError.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

namespace {

qint64 folderSize(const QString &folder)
{
    // Without QDir::Hidden, hidden files are skipped and hidden folders are not entered.
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isFile())
            total += info.size();
    }
    return total;
}

// Removes everything below `folder` but the files in `kept` (and, when `keepFolders`, every
// folder); returns whether anything is left below it.
bool emptyFolder(const QString &folder, const QSet<QString> &kept, bool keepFolders)
{
    bool left = false;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isDir() && !entry.isSymLink()) {
            if (emptyFolder(path, kept, keepFolders) || keepFolders) {
                left = true;
                continue;
            }
            if (!QDir().rmdir(path))
                throw FileError(QStringLiteral("“%1” couldn’t be removed.").arg(path));
        } else if (kept.contains(path)) {
            left = true;
        } else if (!QFile::remove(path)) {
            throw FileError(QStringLiteral("“%1” couldn’t be removed.").arg(path));
        }
    }
    return left;
}

} // namespace

CacheManager::CacheManager(QString cacheDirectory, QString imageCacheDirectory, QSettings *settings)
    : m_cacheDirectory(std::move(cacheDirectory))
    , m_imageCacheDirectory(std::move(imageCacheDirectory))
    , m_settings(settings)
{
}

CacheManager &CacheManager::shared()
{
    const QString caches = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    static CacheManager *instance = new CacheManager(caches + QStringLiteral("/Lumivane"),
                                                     caches + u'/' + AppConfig::imageCacheFolderName,
                                                     &SettingsStore::shared());
    return *instance;
}

qint64 CacheManager::cacheSize() const
{
    qint64 total = folderSize(m_cacheDirectory);
    if (!m_imageCacheDirectory.isEmpty())
        total += folderSize(m_imageCacheDirectory);
    return total;
}

void CacheManager::clearCache() const
{
    QSet<QString> kept;
    if (m_settings) {
        m_settings->sync(); // a picture set by `lumivane --set-wallpaper` is recorded by that process
        for (const QString &key : {PreferenceKeys::desktopPictureFiles, PreferenceKeys::lockScreenPictureFiles}) {
            for (const QString &file : m_settings->value(key).toStringList())
                kept.insert(QFileInfo(file).absoluteFilePath());
        }
    }
    if (QFileInfo::exists(m_cacheDirectory)) {
        emptyFolder(QFileInfo(m_cacheDirectory).absoluteFilePath(), kept, false);
        if (!QDir().mkpath(m_cacheDirectory))
            throw FileError(QStringLiteral("“%1” couldn’t be created.").arg(m_cacheDirectory));
    }
    if (!m_imageCacheDirectory.isEmpty() && QFileInfo::exists(m_imageCacheDirectory))
        emptyFolder(QFileInfo(m_imageCacheDirectory).absoluteFilePath(), {}, true);
}
