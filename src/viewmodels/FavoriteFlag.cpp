// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/FavoriteFlag.h"
#include "viewmodels/SetIfChanged.h"
#include "viewmodels/FavoritesStore.h"

FavoriteFlag::FavoriteFlag(QObject *parent)
    : FavoriteFlag(FavoritesStore::shared(), parent)
{
}

FavoriteFlag::FavoriteFlag(FavoritesStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    connect(&m_store, &FavoritesStore::changed, this, &FavoriteFlag::refresh);
}

void FavoriteFlag::setWallpaperId(const QString &id)
{
    if (!setIfChanged(m_wallpaperId, id, this, &FavoriteFlag::wallpaperIdChanged))
        return;
    refresh();
}

void FavoriteFlag::toggle()
{
    if (!m_wallpaperId.isEmpty())
        m_store.toggleFavorite(m_wallpaperId);
    refresh();
}

void FavoriteFlag::refresh()
{
    const bool favorite = !m_wallpaperId.isEmpty() && m_store.isFavorite(m_wallpaperId);
    setIfChanged(m_isFavorite, favorite, this, &FavoriteFlag::isFavoriteChanged);
}
