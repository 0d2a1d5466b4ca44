// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordJson.h"

#include "Catalogue.h"
#include "Json.h"

#include <charconv>
#include <string_view>

const char *const kCategoryCols = "c.id,c.name,c.slug,c.description,c.cover_image_key,c.sort_order,c.is_active,"
                                  "coalesce((SELECT approved FROM counts n WHERE n.category_id=c.id),0),"
                                  "c.created_at,c.updated_at";

namespace {

// Appended straight into the answer: a page is a few hundred of these, and building each piece
// as a string of its own (or through a stream) cost more than the query.
std::string_view text(Statement &st, int i)
{
    return st.text(i);
}

void str(std::string &out, Statement &st, int i) { appendJsonString(out, text(st, i)); }

void strOrNull(std::string &out, Statement &st, int i)
{
    if (st.isNull(i)) out += "null";
    else str(out, st, i);
}

void number(std::string &out, long long v)
{
    char b[24];
    auto r = std::to_chars(b, b + sizeof b, v);
    out.append(b, r.ptr);
}

void date(std::string &out, Statement &st, int i)
{
    out += '"';
    out += isoDate(st.integer(i));
    out += '"';
}

} // namespace

void appendCategoryJson(std::string &out, Statement &st, int o)
{
    out += "{\"id\":";
    str(out, st, o);
    out += ",\"name\":";
    str(out, st, o + 1);
    out += ",\"slug\":";
    str(out, st, o + 2);
    out += ",\"description\":";
    strOrNull(out, st, o + 3);
    out += ",\"cover_image_key\":";
    strOrNull(out, st, o + 4);
    out += ",\"sort_order\":";
    number(out, st.integer(o + 5));
    out += st.integer(o + 6) ? ",\"is_active\":true" : ",\"is_active\":false";
    out += ",\"wallpaper_count\":";
    number(out, st.integer(o + 7));
    out += ",\"created_at\":";
    date(out, st, o + 8);
    out += ",\"updated_at\":";
    date(out, st, o + 9);
    out += '}';
}

std::string categoryJson(Statement &st, int o)
{
    std::string out;
    appendCategoryJson(out, st, o);
    return out;
}

const char *const kWallpaperCols = "w.id,w.title,w.description,w.file_key,w.thumbnail_key,w.medium_key,w.full_key,"
                                   "w.width,w.height,w.file_size,w.format,w.is_featured,w.featured_order,w.status,"
                                   "w.download_count,w.favorite_count,w.view_count,w.tags,w.uploaded_by_id,w.category_id,"
                                   "w.created_at,w.updated_at";

void appendWallpaperJson(std::string &out, Statement &st)
{
    out += "{\"id\":";
    str(out, st, 0);
    out += ",\"title\":";
    str(out, st, 1);
    out += ",\"description\":";
    strOrNull(out, st, 2);
    out += ",\"file_key\":";
    str(out, st, 3);
    out += ",\"thumbnail_key\":";
    strOrNull(out, st, 4);
    out += ",\"medium_key\":";
    strOrNull(out, st, 5);
    out += ",\"full_key\":";
    strOrNull(out, st, 6);
    out += ",\"width\":";
    number(out, st.integer(7));
    out += ",\"height\":";
    number(out, st.integer(8));
    out += ",\"file_size\":";
    number(out, st.integer(9));
    out += ",\"format\":";
    str(out, st, 10);
    out += ",\"is_live\":false,\"video_key\":null";
    out += st.integer(11) ? ",\"is_featured\":true" : ",\"is_featured\":false";
    out += ",\"featured_order\":";
    if (st.isNull(12)) out += "null";
    else number(out, st.integer(12));
    out += ",\"status\":";
    str(out, st, 13);
    out += ",\"download_count\":";
    number(out, st.integer(14));
    out += ",\"favorite_count\":";
    number(out, st.integer(15));
    out += ",\"view_count\":";
    number(out, st.integer(16));
    out += ",\"tags\":[";
    bool first = true;
    std::string_view tags = text(st, 17);
    while (!tags.empty()) {
        size_t comma = tags.find(',');
        std::string_view tag = tags.substr(0, comma);
        if (!tag.empty()) {
            if (!first) out += ',';
            appendJsonString(out, tag);
            first = false;
        }
        if (comma == std::string_view::npos) break;
        tags.remove_prefix(comma + 1);
    }
    out += "],\"category\":";
    if (st.isNull(kWallpaperColCount)) out += "null";
    else appendCategoryJson(out, st, kWallpaperColCount);
    out += ",\"created_at\":";
    date(out, st, 20);
    out += ",\"updated_at\":";
    date(out, st, 21);
    out += ",\"deleted_at\":null,\"uploaded_by_id\":";
    strOrNull(out, st, 18);
    out += ",\"category_id\":";
    str(out, st, 19);
    out += '}';
}

std::string wallpaperJson(Statement &st)
{
    std::string out;
    appendWallpaperJson(out, st);
    return out;
}

std::string wallpaperSelect(const std::string &where, const std::string &order, const std::string &page)
{
    // The wallpapers are picked, sorted and cut to the page first, and only the rows that are
    // sent are joined with their category.
    return std::string("SELECT ") + kWallpaperCols + "," + kCategoryCols + " FROM (SELECT * FROM wallpapers w " +
           where + " " + order + " " + page + ") w LEFT JOIN categories c ON c.id=w.category_id " + order;
}
