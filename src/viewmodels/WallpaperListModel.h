// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Wallpaper.h"

#include <QAbstractListModel>
#include <QList>
#include <QQmlEngine>

// The wallpapers of one grid, in the order the service gave them. Replacing the list resets the
// model; a further page is inserted at the end, so the grid keeps its scroll position.
class WallpaperListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by a view model")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        WallpaperRole = Qt::UserRole + 1, // the Wallpaper gadget itself
        WallpaperIdRole,                  // its id
        TitleRole,                        // its title
        ThumbnailUrlRole,                 // image address of the thumbnail (may be empty)
        PreviewUrlRole,                   // medium rendition, else the thumbnail
        FullImageUrlRole,                 // full rendition, else the medium one
        StatusRole,                       // moderation state: "pending", "approved" or "rejected"
    };
    Q_ENUM(Role)

    explicit WallpaperListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_items.size()); }
    const QList<Wallpaper> &wallpapers() const { return m_items; }
    bool containsId(const QString &id) const;
    // Index of the first wallpaper with this id, or -1.
    int indexOfId(const QString &id) const;

    // The wallpaper at `row` for QML (an invalid Wallpaper outside the list).
    Q_INVOKABLE QVariant get(int row) const;

    // Replaces the whole list (one reset, even when both are empty nothing is emitted).
    void setWallpapers(const QList<Wallpaper> &wallpapers);
    // Inserts `wallpapers` after the last row; an empty list changes nothing.
    void append(const QList<Wallpaper> &wallpapers);

Q_SIGNALS:
    void countChanged();

private:
    QList<Wallpaper> m_items;
};
