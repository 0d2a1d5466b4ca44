// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/Favorites.h"
#include "viewmodels/FavoritesStore.h"

Favorites::Favorites(FavoritesStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    connect(&m_store, &FavoritesStore::changed, this, [this] {
        ++m_revision;
        Q_EMIT changed();
    });
}

Favorites &Favorites::shared()
{
    static Favorites favorites(FavoritesStore::shared());
    return favorites;
}

Favorites *Favorites::create(QQmlEngine *, QJSEngine *)
{
    Favorites *favorites = &shared();
    QJSEngine::setObjectOwnership(favorites, QJSEngine::CppOwnership);
    return favorites;
}

bool Favorites::isFavorite(const QString &id) const
{
    return m_store.isFavorite(id);
}

bool Favorites::toggleFavorite(const QString &id)
{
    return m_store.toggleFavorite(id);
}
