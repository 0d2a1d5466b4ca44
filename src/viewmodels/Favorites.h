// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>

class FavoritesStore;

// The favourites store for QML. `revision` changes on every toggle, from QML or C++, so a binding
// that reads it before isFavorite() redraws its heart.
class Favorites : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int revision READ revision NOTIFY changed)

public:
    explicit Favorites(FavoritesStore &store, QObject *parent = nullptr);

    static Favorites &shared();
    static Favorites *create(QQmlEngine *, QJSEngine *);

    int revision() const { return m_revision; }

    Q_INVOKABLE bool isFavorite(const QString &id) const;
    Q_INVOKABLE bool toggleFavorite(const QString &id);

Q_SIGNALS:
    void changed();

private:
    FavoritesStore &m_store;
    int m_revision = 0;
};
