// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Gio.h"

const Gio *gio()
{
    static const std::optional<Gio> loaded = openRuntimeLibrary<Gio>(QStringLiteral("gio-2.0"), 0, [](QLibrary &library, Gio &table) {
        LUMIVANE_GIO_FUNCTIONS(LUMIVANE_RUNTIME_RESOLVE)
        return true;
    });
    return loaded ? &*loaded : nullptr;
}
