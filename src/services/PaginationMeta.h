// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

struct PaginationMeta {
    std::optional<int> page;
    std::optional<int> limit;
    std::optional<int> total;
    std::optional<int> totalPages;
};
