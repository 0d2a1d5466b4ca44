#pragma once
#include <optional>

struct PaginationMeta {
    std::optional<int> page;
    std::optional<int> limit;
    std::optional<int> total;
    std::optional<int> totalPages;
};
