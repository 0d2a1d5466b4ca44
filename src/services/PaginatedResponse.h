// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "services/PaginationMeta.h"

#include <QList>
#include <optional>

// Envelope of the paged wallpaper list.
template<typename T> struct PaginatedResponse {
    bool success = false;
    QList<T> data;
    std::optional<PaginationMeta> pagination;
};
