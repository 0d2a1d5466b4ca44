// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogue.h"

#include "Json.h"

#include <chrono>
#include <cstdio>
#include <random>

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string newId()
{
    static std::mt19937_64 rng{std::random_device{}()};
    static std::mutex m;
    std::lock_guard lock(m);
    char b[40];
    std::snprintf(b, sizeof b, "%016llx%016llx", (unsigned long long)rng(), (unsigned long long)rng());
    return b;
}

std::string col(sqlite3_stmt *st, int i)
{
    auto p = sqlite3_column_text(st, i);
    return p ? reinterpret_cast<const char *>(p) : "";
}
std::string colOrNull(sqlite3_stmt *st, int i)
{
    return sqlite3_column_type(st, i) == SQLITE_NULL ? "null" : jsonString(col(st, i));
}
