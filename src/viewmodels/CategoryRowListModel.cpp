// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/CategoryRowListModel.h"
#include "viewmodels/WallpaperListModel.h"

CategoryRowListModel::CategoryRowListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int CategoryRowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CategoryRowListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const CategoryRow &row = m_rows.at(index.row());
    switch (role) {
    case RowIdRole: return row.category.id();
    case CategoryRole: return QVariant::fromValue(row.category);
    case Qt::DisplayRole:
    case NameRole: return row.category.name();
    case CategoryDescriptionRole: return row.category.descriptionText();
    case WallpapersRole: return QVariant::fromValue(m_models.at(index.row()));
    default: return {};
    }
}

QHash<int, QByteArray> CategoryRowListModel::roleNames() const
{
    return {
        {RowIdRole, "rowId"},
        {CategoryRole, "category"},
        {NameRole, "name"},
        {CategoryDescriptionRole, "categoryDescription"},
        {WallpapersRole, "wallpapers"},
    };
}

void CategoryRowListModel::setRows(const QList<CategoryRow> &rows)
{
    if (m_rows.isEmpty() && rows.isEmpty())
        return;
    const int before = count();
    beginResetModel();
    // Delegates may still hold the old strips until they are rebuilt, so they go later.
    for (WallpaperListModel *model : std::as_const(m_models))
        model->deleteLater();
    m_models.clear();
    m_rows = rows;
    for (const CategoryRow &row : rows) {
        auto *model = new WallpaperListModel(this);
        model->setWallpapers(row.wallpapers);
        m_models.append(model);
    }
    endResetModel();
    if (count() != before)
        Q_EMIT countChanged();
}
