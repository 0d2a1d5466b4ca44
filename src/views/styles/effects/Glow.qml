// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Qt5Compat.GraphicalEffects

// The soft dark halo round the error panel; fills its parent, under its siblings.
RectangularGlow {
    anchors.fill: parent
    z: -1
    glowRadius: 20
    spread: 0
    cornerRadius: 40
    color: Qt.rgba(0, 0, 0, 0.3)
}
