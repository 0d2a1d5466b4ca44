// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GioNetworkState.h"

#include <gio/gio.h>

bool GioNetworkState::isMetered() const
{
    return g_network_monitor_get_network_metered(g_network_monitor_get_default());
}
