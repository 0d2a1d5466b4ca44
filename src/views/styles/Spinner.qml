// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick

// A turning ring of dots while something loads. Plain items rather than Qt's busy indicator:
// that one brings the whole controls module with it, for Home's first thumbnails.
Item {
    id: root

    property bool running: true
    property color color: "white"

    implicitWidth: 32
    implicitHeight: 32
    Accessible.role: Accessible.Indicator
    Accessible.name: qsTr("Loading")

    Item {
        id: ring
        anchors.fill: parent
        opacity: root.running ? 1 : 0
        Behavior on opacity { OpacityAnimator { duration: 250 } }
        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            running: root.running && root.visible
        }
        Repeater {
            model: 8
            Rectangle {
                id: dot
                required property int index
                readonly property real size: Math.max(2, ring.width / 5)
                readonly property real reach: (ring.width - dot.size) / 2
                readonly property real angle: dot.index * Math.PI / 4
                width: dot.size
                height: dot.size
                radius: dot.size / 2
                color: root.color
                opacity: 1 - dot.index * 0.11
                x: dot.reach + dot.reach * Math.sin(dot.angle)
                y: dot.reach - dot.reach * Math.cos(dot.angle)
            }
        }
    }
}
