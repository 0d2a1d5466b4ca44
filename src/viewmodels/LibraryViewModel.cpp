// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/LibraryViewModel.h"
#include "config/PreferenceKeys.h"
#include "services/APIClient.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/WallpaperListModel.h"

#include <QSet>

LibraryViewModel::LibraryViewModel(QObject *parent)
    : LibraryViewModel(APIClient::shared(), FavoritesStore::shared(), parent)
{
}

LibraryViewModel::LibraryViewModel(APIClient &api, FavoritesStore &store, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_store(store)
    , m_favorites(new WallpaperListModel(this))
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
    if (m_isLoading == loading)
        return;
    m_isLoading = loading;
    Q_EMIT isLoadingChanged();
}
