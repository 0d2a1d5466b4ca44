// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/CategoryRow.h"

#include <QAbstractListModel>
#include <QList>
#include <QQmlEngine>

class WallpaperListModel;

// The Home screen's category rows. Each row carries its own WallpaperListModel for the
// horizontal strip; the row models are owned here and replaced with the rows.
class CategoryRowListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by HomeViewModel")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        RowIdRole = Qt::UserRole + 1, // the category's id
        CategoryRole,                 // the Category gadget
        NameRole,                     // the category's name
        CategoryDescriptionRole,      // the category's description, empty when it has none
        WallpapersRole,               // WallpaperListModel* of the row's wallpapers
    };
    Q_ENUM(Role)

    explicit CategoryRowListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    const QList<CategoryRow> &rows() const { return m_rows; }

    // Replaces every row at once.
    void setRows(const QList<CategoryRow> &rows);

Q_SIGNALS:
    void countChanged();

private:
    QList<CategoryRow> m_rows;
    QList<WallpaperListModel *> m_models;
};
