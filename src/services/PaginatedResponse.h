#pragma once
#include "PaginationMeta.h"

#include <QList>
#include <optional>

// Envelope of the paged wallpaper list.
template<typename T> struct PaginatedResponse {
    bool success = false;
    QList<T> data;
    std::optional<PaginationMeta> pagination;
};
