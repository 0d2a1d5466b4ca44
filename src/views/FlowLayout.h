// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QQuickItem>
#include <QSizeF>

// Lays its children out left to right in rows, wrapping when the next child would pass the
// width limit. Children keep their own size (explicit, else implicit). The limit is the item's
// width when one was set, otherwise there is none and everything sits on one row.
class FlowLayout : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)

public:
    struct Arrangement {
        QList<QPointF> positions;
        QSizeF size;
    };

    explicit FlowLayout(QQuickItem *parent = nullptr);

    qreal spacing() const { return m_spacing; }
    void setSpacing(qreal spacing);

    // The arrangement both passes share; a child wider than the limit at the start of a row stays
    // on that row (it overflows instead of wrapping forever).
    static Arrangement arrange(const QList<QSizeF> &sizes, qreal widthLimit, qreal spacing);

Q_SIGNALS:
    void spacingChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void updatePolish() override;
    void componentComplete() override;

private:
    QList<QQuickItem *> laidOutChildren() const;
    void watch(QQuickItem *child);

    qreal m_spacing = 0;
};
