// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>

class FavoritesStore;

// Whether one wallpaper is a favourite, as a property that notifies when the store changes, so
// a heart bound to it redraws whoever toggled the favourite.
class FavoriteFlag : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString wallpaperId READ wallpaperId WRITE setWallpaperId NOTIFY wallpaperIdChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite NOTIFY isFavoriteChanged)

public:
    explicit FavoriteFlag(QObject *parent = nullptr);
    FavoriteFlag(FavoritesStore &store, QObject *parent = nullptr);

    QString wallpaperId() const { return m_wallpaperId; }
    void setWallpaperId(const QString &id);
    bool isFavorite() const { return m_isFavorite; }

    // Adds or removes the wallpaper; nothing without an id.
    Q_INVOKABLE void toggle();

Q_SIGNALS:
    void wallpaperIdChanged();
    void isFavoriteChanged();

private:
    void refresh();

    FavoritesStore &m_store;
    QString m_wallpaperId;
    bool m_isFavorite = false;
};
