// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Qt5Compat.GraphicalEffects
import Lumivane

// A remote image's layer clipped to its rounded corners. The layer places the effect beside
// the image, inside the RemoteImage that gives the radius.
OpacityMask {
    id: mask
    readonly property real radius: (parent as RemoteImage)?.radius ?? 0
    maskSource: Rectangle {
        width: mask.width
        height: mask.height
        radius: mask.radius
    }
}
