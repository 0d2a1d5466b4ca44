// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemTree.h"

#include <QQuickItem>

QList<QQuickItem *> ItemTree::itemsWhere(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
{
    QList<QQuickItem *> found, pending{root};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (match(item))
            found.append(item);
        pending.append(item->childItems());
    }
    return found;
}

bool ItemTree::reallyVisible(QQuickItem *item)
{
    for (QQuickItem *at = item; at; at = at->parentItem())
        if (!at->isVisible() || at->opacity() <= 0.01)
            return false;
    return item->width() > 0 && item->height() > 0;
}
