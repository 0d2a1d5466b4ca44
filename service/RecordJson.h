// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The JSON of the records the client decodes, in the service's snake_case, from one SELECT row.
#include <string>

class Statement;

// Category columns, as selected by categoryJson (alias c).
extern const char *const kCategoryCols;
// Wallpaper columns (alias w), followed in wallpaperSelect by the category's.
extern const char *const kWallpaperCols;
constexpr int kWallpaperColCount = 22;

// One category from the row's columns starting at o.
std::string categoryJson(Statement &st, int o);
void appendCategoryJson(std::string &out, Statement &st, int o);
// One wallpaper (with its category embedded) from a wallpaperSelect row.
std::string wallpaperJson(Statement &st);
void appendWallpaperJson(std::string &out, Statement &st);
// SELECT of wallpaper and category columns with the given WHERE, ORDER BY and LIMIT/OFFSET.
std::string wallpaperSelect(const std::string &where, const std::string &order, const std::string &page = {});
