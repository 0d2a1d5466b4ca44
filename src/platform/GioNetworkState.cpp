// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GioNetworkState.h"

#include "platform/Gio.h"

#include <QEventLoop>
#include <QTimer>

bool GioNetworkState::isMetered() const
{
    const Gio *g = gio();
    return g && g->g_network_monitor_get_network_metered(g->g_network_monitor_get_default());
}

void GioNetworkState::waitForNetwork(int timeoutMs)
{
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    const Gio *g = gio();
    if (!g) {
        // Nothing tells a connection coming back: the whole wait.
        loop.exec();
        return;
    }
    GNetworkMonitor *monitor = g->g_network_monitor_get_default();
    // NetworkManager's monitor tells a connection coming back only through the property;
    // the netlink one (no NetworkManager) through "network-changed". Either wakes us.
    const auto changed = +[](GNetworkMonitor *, gboolean available, gpointer loop) {
        if (available)
            static_cast<QEventLoop *>(loop)->quit();
    };
    const auto notified = +[](GNetworkMonitor *monitor, GParamSpec *, gpointer loop) {
        if (gio()->g_network_monitor_get_network_available(monitor))
            static_cast<QEventLoop *>(loop)->quit();
    };
    const gulong onChange = g->g_signal_connect_data(monitor, "network-changed", G_CALLBACK(changed), &loop, nullptr, GConnectFlags(0));
    const gulong onNotify = g->g_signal_connect_data(monitor, "notify::network-available", G_CALLBACK(notified), &loop, nullptr, GConnectFlags(0));
    loop.exec();
    g->g_signal_handler_disconnect(monitor, onChange);
    g->g_signal_handler_disconnect(monitor, onNotify);
}
