// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// Shimmering placeholder in the shape of the Home screen.
Item {
    id: root
    objectName: "loadingSkeleton"
    property real shimmerPhase

    NumberAnimation on shimmerPhase {
        from: 0; to: 1
        duration: 1500
        loops: Animation.Infinite
        running: root.visible
    }

    Column {
        width: parent.width
        spacing: 24
        ShimmerBlock {
            width: parent.width
            height: 520
            phase: root.shimmerPhase
        }
        Column {
            x: 24
            width: parent.width - 48
            spacing: 32
            Repeater {
                model: 3
                Column {
                    spacing: 14
                    ShimmerBlock { width: 140; height: 20; radius: 6; phase: root.shimmerPhase }
                    Row {
                        spacing: 14
                        Repeater {
                            model: 5
                            ShimmerBlock { width: 220; height: 138; radius: 12; phase: root.shimmerPhase }
                        }
                    }
                }
            }
        }
    }
}
