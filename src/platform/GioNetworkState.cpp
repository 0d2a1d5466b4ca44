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
    // NetworkManager's monitor tells a connection coming back only through the property;
    // the netlink one (no NetworkManager) through "network-changed". Either wakes us.
    const auto changed = +[](GNetworkMonitor *, gboolean available, gpointer loop) {
        if (available)
            static_cast<QEventLoop *>(loop)->quit();
    };
    const auto notified = +[](GNetworkMonitor *monitor, GParamSpec *, gpointer loop) {
        if (g_network_monitor_get_network_available(monitor))
            static_cast<QEventLoop *>(loop)->quit();
    };
    const gulong onChange = g_signal_connect(monitor, "network-changed", G_CALLBACK(changed), &loop);
    const gulong onNotify = g_signal_connect(monitor, "notify::network-available", G_CALLBACK(notified), &loop);
    loop.exec();
    g_signal_handler_disconnect(monitor, onChange);
    g_signal_handler_disconnect(monitor, onNotify);
}
