// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <functional>

class QQuickItem;

// Finding things in a window the way a person sees them, for the tests that drive the real window.
namespace ItemTree {

// Every item under `root` (itself included) that `match` accepts. Delegates and popups are
// children in the item tree, not always in the object tree, so that is the tree walked.
QList<QQuickItem *> itemsWhere(QQuickItem *root, const std::function<bool(QQuickItem *)> &match);

// Shown with a size: it and every parent visible and not faded out.
bool reallyVisible(QQuickItem *item);

} // namespace ItemTree
