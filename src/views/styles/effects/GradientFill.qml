// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Qt5Compat.GraphicalEffects

// Its source's shape filled with a diagonal gradient from `from` to `to`; fills its parent.
LinearGradient {
    id: fill
    property color from
    property color to
    anchors.fill: parent
    start: Qt.point(0, 0)
    end: Qt.point(width, height)
    gradient: Gradient {
        GradientStop { position: 0; color: fill.from }
        GradientStop { position: 1; color: fill.to }
    }
}
