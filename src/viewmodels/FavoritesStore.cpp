// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/FavoritesStore.h"
#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"

#include <QSet>
#include <QSettings>

FavoritesStore::FavoritesStore(QSettings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
}

FavoritesStore &FavoritesStore::shared()
{
    static FavoritesStore store(SettingsStore::shared());
    return store;
}

QStringList FavoritesStore::favoriteIDs() const
{
    const QVariant value = m_settings.value(PreferenceKeys::favoriteIds);
    // An INI store gives a single-element list back as a plain string; a real list keeps its
    // elements. Anything else (numbers, maps) counts as no favourites.
    if (value.typeId() == QMetaType::QString)
        return {value.toString()};
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QVariantList)
        return {};
    const QVariantList items = value.toList();
    QStringList ids;
    ids.reserve(items.size());
    for (const QVariant &item : items) {
        if (item.typeId() != QMetaType::QString)
            return {};
        ids.append(item.toString());
    }
    return ids;
}

bool FavoritesStore::isFavorite(const QString &id) const
{
    return favoriteIDs().contains(id);
}

bool FavoritesStore::toggleFavorite(const QString &id)
{
    const QStringList stored = favoriteIDs();
    QSet<QString> ids(stored.begin(), stored.end());
    const bool added = !ids.remove(id);
    if (added)
        ids.insert(id);
    m_settings.setValue(PreferenceKeys::favoriteIds, QStringList(ids.begin(), ids.end()));
    m_settings.sync(); // on disk when the toggle returns
    Q_EMIT changed();
    return added;
}
