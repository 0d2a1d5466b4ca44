// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/WallpaperListModel.h"

WallpaperListModel::WallpaperListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int WallpaperListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant WallpaperListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Wallpaper &w = m_items.at(index.row());
    switch (role) {
    case WallpaperRole: return QVariant::fromValue(w);
    case Qt::DisplayRole:
    case TitleRole: return w.title();
    case WallpaperIdRole: return w.id();
    case ThumbnailUrlRole: return w.thumbnailURL();
    case PreviewUrlRole: return w.previewURL();
    case FullImageUrlRole: return w.fullImageURL();
    case StatusRole: return w.statusName();
    default: return {};
    }
}

QHash<int, QByteArray> WallpaperListModel::roleNames() const
{
    return {
        {WallpaperRole, "wallpaper"},
        {WallpaperIdRole, "wallpaperId"},
        {TitleRole, "title"},
        {ThumbnailUrlRole, "thumbnailURL"},
        {PreviewUrlRole, "previewURL"},
        {FullImageUrlRole, "fullImageURL"},
        {StatusRole, "status"},
    };
}

bool WallpaperListModel::containsId(const QString &id) const
{
    return indexOfId(id) >= 0;
}

int WallpaperListModel::indexOfId(const QString &id) const
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).id() == id)
            return int(i);
    }
    return -1;
}

QVariant WallpaperListModel::get(int row) const
{
    if (row < 0 || row >= m_items.size())
        return QVariant::fromValue(Wallpaper());
    return QVariant::fromValue(m_items.at(row));
}

void WallpaperListModel::setWallpapers(const QList<Wallpaper> &wallpapers)
{
    if (m_items.isEmpty() && wallpapers.isEmpty())
        return;
    const int before = count();
    beginResetModel();
    m_items = wallpapers;
    endResetModel();
    if (count() != before)
        Q_EMIT countChanged();
}

void WallpaperListModel::append(const QList<Wallpaper> &wallpapers)
{
    if (wallpapers.isEmpty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + int(wallpapers.size()) - 1);
    m_items.append(wallpapers);
    endInsertRows();
    Q_EMIT countChanged();
}
