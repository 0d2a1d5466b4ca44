// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/FlowLayout.h"

#include <limits>

FlowLayout::FlowLayout(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void FlowLayout::setSpacing(qreal spacing)
{
    if (qFuzzyCompare(spacing, m_spacing))
        return;
    m_spacing = spacing;
    Q_EMIT spacingChanged();
    polish();
}

FlowLayout::Arrangement FlowLayout::arrange(const QList<QSizeF> &sizes, qreal widthLimit, qreal spacing)
{
    Arrangement result;
    qreal x = 0, y = 0, rowHeight = 0, totalWidth = 0, totalHeight = 0;
    for (const QSizeF &size : sizes) {
        if (x + size.width() > widthLimit && x > 0) {
            y += rowHeight + spacing;
            x = 0;
            rowHeight = 0;
        }
        result.positions.append(QPointF(x, y));
        rowHeight = qMax(rowHeight, size.height());
        x += size.width() + spacing;
        totalWidth = qMax(totalWidth, x - spacing);
        totalHeight = qMax(totalHeight, y + rowHeight);
    }
    result.size = QSizeF(totalWidth, totalHeight);
    return result;
}

QList<QQuickItem *> FlowLayout::laidOutChildren() const
{
    QList<QQuickItem *> items;
    for (QQuickItem *child : childItems()) {
        // A Repeater is an item of its own that only creates the real children. Visibility is
        // effective visibility, so it only tells hidden children apart while the layout is shown.
        if (child->inherits("QQuickRepeater") || (isVisible() && !child->isVisible()))
            continue;
        items.append(child);
    }
    return items;
}

void FlowLayout::watch(QQuickItem *child)
{
    connect(child, &QQuickItem::widthChanged, this, &QQuickItem::polish, Qt::UniqueConnection);
    connect(child, &QQuickItem::heightChanged, this, &QQuickItem::polish, Qt::UniqueConnection);
    connect(child, &QQuickItem::visibleChanged, this, &QQuickItem::polish, Qt::UniqueConnection);
}

void FlowLayout::itemChange(ItemChange change, const ItemChangeData &data)
{
    if (change == ItemChildAddedChange) {
        watch(data.item);
        polish();
    } else if (change == ItemChildRemovedChange) {
        disconnect(data.item, nullptr, this, nullptr);
        polish();
    }
    QQuickItem::itemChange(change, data);
}

void FlowLayout::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (!qFuzzyCompare(newGeometry.width(), oldGeometry.width()))
        polish();
}

void FlowLayout::componentComplete()
{
    QQuickItem::componentComplete();
    updatePolish(); // sizes are known at once, before the first frame
}

void FlowLayout::updatePolish()
{
    const QList<QQuickItem *> items = laidOutChildren();
    QList<QSizeF> sizes;
    sizes.reserve(items.size());
    for (QQuickItem *item : items)
        sizes.append(QSizeF(item->width(), item->height()));
    const qreal limit = widthValid() ? width() : std::numeric_limits<qreal>::infinity();
    const Arrangement arrangement = arrange(sizes, limit, m_spacing);
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i]->setPosition(arrangement.positions[i]);
    setImplicitSize(arrangement.size.width(), arrangement.size.height());
}
