// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GioNetworkState.h"

#include <gio/gio.h>

#include <QEventLoop>
#include <QTimer>

bool GioNetworkState::isMetered() const
{
    return g_network_monitor_get_network_metered(g_network_monitor_get_default());
}

void GioNetworkState::waitForNetwork(int timeoutMs)
{
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    GNetworkMonitor *monitor = g_network_monitor_get_default();
    const auto changed = +[](GNetworkMonitor *, gboolean available, gpointer loop) {
        if (available)
            static_cast<QEventLoop *>(loop)->quit();
    };
    const gulong handler = g_signal_connect(monitor, "network-changed", G_CALLBACK(changed), &loop);
    loop.exec();
    g_signal_handler_disconnect(monitor, handler);
}
