// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A placeholder block with the sweeping shimmer band, clipped to its rectangular frame.
Rectangle {
    id: block
    property real phase: 0
    color: AppPalette.surface
    clip: true
    Rectangle {
        width: block.width * 2
        height: block.height
        x: 3 * block.width * block.phase - block.width
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: "transparent" }
            GradientStop { position: 0.5; color: Qt.rgba(1, 1, 1, 0.05) }
            GradientStop { position: 1.0; color: "transparent" }
        }
    }
}
