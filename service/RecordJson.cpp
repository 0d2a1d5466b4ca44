// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordJson.h"

#include "Catalogue.h"
#include "Json.h"

#include <sstream>

const char *const kCategoryCols = "c.id,c.name,c.slug,c.description,c.cover_image_key,c.sort_order,c.is_active,"
                            "(SELECT COUNT(*) FROM wallpapers x WHERE x.category_id=c.id AND x.status='approved'),"
                            "c.created_at,c.updated_at";

std::string categoryJson(sqlite3_stmt *st, int o)
{
    std::ostringstream j;
    j << "{\"id\":" << jsonString(col(st, o)) << ",\"name\":" << jsonString(col(st, o + 1))
      << ",\"slug\":" << jsonString(col(st, o + 2)) << ",\"description\":" << colOrNull(st, o + 3)
      << ",\"cover_image_key\":" << colOrNull(st, o + 4) << ",\"sort_order\":" << sqlite3_column_int(st, o + 5)
      << ",\"is_active\":" << (sqlite3_column_int(st, o + 6) ? "true" : "false")
      << ",\"wallpaper_count\":" << sqlite3_column_int(st, o + 7)
      << ",\"created_at\":" << jsonString(isoDate(sqlite3_column_int64(st, o + 8)))
      << ",\"updated_at\":" << jsonString(isoDate(sqlite3_column_int64(st, o + 9))) << "}";
    return j.str();
}

const char *const kWallpaperCols = "w.id,w.title,w.description,w.file_key,w.thumbnail_key,w.medium_key,w.full_key,"
                             "w.width,w.height,w.file_size,w.format,w.is_featured,w.featured_order,w.status,"
                             "w.download_count,w.favorite_count,w.view_count,w.tags,w.uploaded_by_id,w.category_id,"
                             "w.created_at,w.updated_at";

std::string wallpaperJson(sqlite3_stmt *st)
{
    std::ostringstream j;
    j << "{\"id\":" << jsonString(col(st, 0)) << ",\"title\":" << jsonString(col(st, 1))
      << ",\"description\":" << colOrNull(st, 2) << ",\"file_key\":" << jsonString(col(st, 3))
      << ",\"thumbnail_key\":" << colOrNull(st, 4) << ",\"medium_key\":" << colOrNull(st, 5)
      << ",\"full_key\":" << colOrNull(st, 6) << ",\"width\":" << sqlite3_column_int(st, 7)
      << ",\"height\":" << sqlite3_column_int(st, 8) << ",\"file_size\":" << sqlite3_column_int64(st, 9)
      << ",\"format\":" << jsonString(col(st, 10)) << ",\"is_live\":false,\"video_key\":null"
      << ",\"is_featured\":" << (sqlite3_column_int(st, 11) ? "true" : "false")
      << ",\"featured_order\":" << (sqlite3_column_type(st, 12) == SQLITE_NULL ? std::string("null") : std::to_string(sqlite3_column_int(st, 12)))
      << ",\"status\":" << jsonString(col(st, 13)) << ",\"download_count\":" << sqlite3_column_int(st, 14)
      << ",\"favorite_count\":" << sqlite3_column_int(st, 15) << ",\"view_count\":" << sqlite3_column_int(st, 16)
      << ",\"tags\":[";
    std::istringstream tags(col(st, 17));
    std::string tag;
    bool first = true;
    while (std::getline(tags, tag, ',')) {
        if (tag.empty()) continue;
        j << (first ? "" : ",") << jsonString(tag);
        first = false;
    }
    j << "],\"category\":";
    if (sqlite3_column_type(st, kWallpaperColCount) == SQLITE_NULL) j << "null";
    else j << categoryJson(st, kWallpaperColCount);
    j << ",\"created_at\":" << jsonString(isoDate(sqlite3_column_int64(st, 20)))
      << ",\"updated_at\":" << jsonString(isoDate(sqlite3_column_int64(st, 21)))
      << ",\"deleted_at\":null,\"uploaded_by_id\":" << colOrNull(st, 18)
      << ",\"category_id\":" << jsonString(col(st, 19)) << "}";
    return j.str();
}

std::string wallpaperSelect(const std::string &where, const std::string &order, const std::string &page)
{
    // The wallpapers are picked, sorted and cut to the page first, and only the rows that are
    // sent get their category (whose wallpaper count is a subquery): sorting by anything without
    // an index would otherwise run that count for every row of the table.
    return std::string("SELECT ") + kWallpaperCols + "," + kCategoryCols + " FROM (SELECT * FROM wallpapers w " +
           where + " " + order + " " + page + ") w LEFT JOIN categories c ON c.id=w.category_id " + order;
}
