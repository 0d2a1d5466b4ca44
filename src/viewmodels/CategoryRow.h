// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/Wallpaper.h"

#include <QList>
#include <QString>

// One Home row: a category and the first page of its wallpapers (never empty).
struct CategoryRow {
    Category category;
    QList<Wallpaper> wallpapers;
};
