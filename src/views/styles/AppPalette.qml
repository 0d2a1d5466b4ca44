// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The colours every screen shares. Not "Palette": QtQuick already has a type of that name.
QtObject {
    readonly property color background: Qt.rgba(0.1, 0.1, 0.1, 1)
    readonly property color surface: Qt.rgba(0.18, 0.18, 0.18, 1)
    readonly property color secondaryText: Qt.rgba(0.55, 0.55, 0.55, 1)

    // The standard named colours in their dark-appearance variants.
    readonly property color gray: "#8e8e93"
    readonly property color blue: "#0a84ff"
    readonly property color purple: "#bf5af2"
    readonly property color pink: "#ff375f"
    readonly property color orange: "#ff9f0a"
    readonly property color green: "#30d158"
    readonly property color red: "#ff453a"
    readonly property color yellow: "#ffd60a"
}
