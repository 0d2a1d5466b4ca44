// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/LibraryViewModel.h"
#include "viewmodels/SetIfChanged.h"
#include "config/PreferenceKeys.h"
#include "services/APIClient.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/WallpaperListModel.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <algorithm>

LibraryViewModel::LibraryViewModel(QObject *parent)
    : LibraryViewModel(APIClient::shared(), FavoritesStore::shared(), parent)
{
}

LibraryViewModel::LibraryViewModel(APIClient &api, FavoritesStore &store, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_store(store)
    , m_favorites(new WallpaperListModel(this))
    , m_downloads(new WallpaperListModel(this))
{
}

LibraryViewModel::~LibraryViewModel()
{
    m_scopes.cancel();
}

QString LibraryViewModel::favoritesKey() const
{
    return PreferenceKeys::favoriteIds;
}

void LibraryViewModel::loadFavorites()
{
    loadFavoritesAsync();
}

QCoro::Task<void> LibraryViewModel::loadFavoritesAsync()
{
    if (m_isLoading)
        co_return;
    const CancellationToken alive = m_scopes.root();
    setLoading(true);
    const QStringList stored = m_store.favoriteIDs();
    const QSet<QString> ids(stored.begin(), stored.end());
    QList<Wallpaper> result;
    for (const QString &id : ids) {
        try {
            Wallpaper wallpaper = co_await m_api.fetchWallpaper(id, alive);
            if (alive->isCancelled())
                co_return;
            result.append(std::move(wallpaper));
        } catch (const std::exception &) {
            // A favourite the service cannot give is left out; it stays stored.
            if (alive->isCancelled())
                co_return;
        }
    }
    m_favorites->setWallpapers(result);
    setLoading(false);
}

void LibraryViewModel::setLoading(bool loading)
{
    setIfChanged(m_isLoading, loading, this, &LibraryViewModel::isLoadingChanged);
}

void LibraryViewModel::recordDownload(QSettings &settings, const QString &id, const QString &path)
{
    QStringList entries = settings.value(PreferenceKeys::savedDownloads).toStringList();
    const QString entry = id + u'|' + path;
    entries.removeAll(entry);
    entries.append(entry);
    settings.setValue(PreferenceKeys::savedDownloads, entries);
    settings.sync();
}

void LibraryViewModel::loadDownloads()
{
    loadDownloadsAsync();
}

QCoro::Task<void> LibraryViewModel::loadDownloadsAsync()
{
    if (m_isLoadingDownloads)
        co_return;
    const CancellationToken alive = m_scopes.root();
    m_isLoadingDownloads = true;
    Q_EMIT isLoadingDownloadsChanged();

    // Only files still on disk count; the record forgets the others.
    QSettings &settings = m_store.settings();
    const QStringList entries = settings.value(PreferenceKeys::savedDownloads).toStringList();
    struct Saved {
        QString id;
        QDateTime modified;
    };
    QList<Saved> saved;
    QStringList kept;
    for (const QString &entry : entries) {
        const qsizetype bar = entry.indexOf(u'|');
        const QFileInfo file(entry.mid(bar + 1));
        if (bar <= 0 || !file.isFile())
            continue;
        kept << entry;
        saved.append({entry.left(bar), file.lastModified()});
    }
    if (kept != entries) {
        settings.setValue(PreferenceKeys::savedDownloads, kept);
        settings.sync();
    }
    std::stable_sort(saved.begin(), saved.end(), [](const Saved &a, const Saved &b) { return a.modified > b.modified; });

    QList<Wallpaper> result;
    QSet<QString> seen;
    for (const Saved &s : saved) {
        if (seen.contains(s.id))
            continue;
        seen.insert(s.id);
        try {
            Wallpaper wallpaper = co_await m_api.fetchWallpaper(s.id, alive);
            if (alive->isCancelled())
                co_return;
            result.append(std::move(wallpaper));
        } catch (const std::exception &) {
            // One the service cannot give is left out; its file stays where it is.
            if (alive->isCancelled())
                co_return;
        }
    }
    m_downloads->setWallpapers(result);
    m_isLoadingDownloads = false;
    Q_EMIT isLoadingDownloadsChanged();
}
