// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A library opened the first time it is needed rather than linked, for libraries that would
// otherwise load (with what they bring) into every start for work that is rare. Its functions
// are kept in a table, a struct with one member per function:
//
//     #define MY_FUNCTIONS(X) X(lib_open) X(lib_close)
//     struct Lib { MY_FUNCTIONS(LUMIVANE_RUNTIME_MEMBER) };
//     std::optional<Lib> lib = openRuntimeLibrary<Lib>(u"name"_s, 1, [](QLibrary &library, Lib &table) {
//         MY_FUNCTIONS(LUMIVANE_RUNTIME_RESOLVE) // returns false where one is missing
//         return true;
//     });
#pragma once

#include <QLibrary>
#include <QString>

#include <optional>

#define LUMIVANE_RUNTIME_MEMBER(name) decltype(&::name) name = nullptr;
#define LUMIVANE_RUNTIME_RESOLVE(name)                                                             \
    table.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));                      \
    if (!table.name)                                                                               \
        return false;

// The table of `name` (lib<name>.so.<version>), or none where the library is missing or lacks
// one of the functions. The library stays loaded for the rest of the process.
template <typename Table, typename Resolve>
std::optional<Table> openRuntimeLibrary(const QString &name, int version, Resolve resolve)
{
    QLibrary library(name, version); // not unloaded when it goes
    if (!library.load())
        return std::nullopt;
    Table table;
    if (!resolve(library, table))
        return std::nullopt;
    return table;
}
