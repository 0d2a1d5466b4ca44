// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// GIO, opened the first time a desktop setting or the network's state is read rather than
// linked: linked, it and what it brings (GObject, libmount, libblkid, libselinux, libffi) load
// into every start, about 1.1 MB, where most starts read neither.
#pragma once

#include "config/RuntimeLibrary.h"

#include <gio/gio.h>

// The GLib, GObject and GIO functions we call; all are found through GIO, which needs the other two.
#define LUMIVANE_GIO_FUNCTIONS(X)                                                                   \
    X(g_free) X(g_filename_to_uri) X(g_object_unref) X(g_signal_connect_data)                      \
    X(g_signal_handler_disconnect) X(g_settings_schema_source_get_default)                         \
    X(g_settings_schema_source_lookup) X(g_settings_schema_unref) X(g_settings_schema_has_key)     \
    X(g_settings_new_full) X(g_settings_get_string) X(g_settings_set_string)                       \
    X(g_settings_is_writable) X(g_settings_sync) X(g_network_monitor_get_default)                  \
    X(g_network_monitor_get_network_metered) X(g_network_monitor_get_network_available)

struct Gio {
    LUMIVANE_GIO_FUNCTIONS(LUMIVANE_RUNTIME_MEMBER)
};

// Null where GIO cannot be opened (or lacks one of them).
const Gio *gio();
