// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QSettings;

// The user's favourite wallpaper ids under one settings key. Holds nothing itself: every call
// reads the settings afresh, and a toggle writes the whole list back at once.
class FavoritesStore : public QObject
{
    Q_OBJECT

public:
    // `settings` must outlive the store.
    explicit FavoritesStore(QSettings &settings, QObject *parent = nullptr);

    static FavoritesStore &shared();

    // The stored ids; empty when the key is missing or holds something else than strings.
    QStringList favoriteIDs() const;
    bool isFavorite(const QString &id) const;
    // Adds `id` when absent, removes it when present; true when it is a favourite afterwards.
    bool toggleFavorite(const QString &id);
    // The settings the ids live in (the Library keeps its record of saved downloads there too).
    QSettings &settings() const { return m_settings; }

Q_SIGNALS:
    void changed();

private:
    QSettings &m_settings;
};
