// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

// One monitor as the desktop backends see it: its position in the system's list, its connector
// name ("HDMI-1", used by Xfce's per-monitor properties), whether it is the primary screen and
// its size and top-left corner in device pixels (for a person choosing one, and for one picture
// spanning all monitors). A monitor named on the command line without a display has no position
// (-1) and no size.
struct DesktopScreen
{
    int index = 0;
    QString name;
    bool primary = false;
    QSize size;
    QPoint origin;

    bool operator==(const DesktopScreen &) const = default;
};
