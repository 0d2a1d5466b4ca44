// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Thumbnails of the featured wallpapers; the selected one is full-strength, outlined and full
// size, the others dimmed and a little smaller.
ListView {
    id: root
    objectName: "featuredStrip"

    property var wallpapers: []
    property int selectedIndex: 0
    signal picked(int index)

    orientation: ListView.Horizontal
    spacing: 10
    leftMargin: 28
    rightMargin: 28
    height: 100
    boundsBehavior: Flickable.StopAtBounds
    model: wallpapers

    delegate: Item {
        id: thumb
        required property var modelData
        required property int index
        readonly property bool selected: index === root.selectedIndex
        objectName: "featuredThumb" + index
        width: 160
        height: 100
        opacity: selected ? 1.0 : 0.55
        scale: selected ? 1.0 : 0.97
        Behavior on opacity { NumberAnimation { duration: 300; easing.type: Easing.OutCubic } }
        Behavior on scale { NumberAnimation { duration: 300; easing.type: Easing.OutCubic } }

        RemoteImage {
            anchors.fill: parent
            source: thumb.modelData.thumbnailURL
            radius: 12
            showsActivity: false
        }
        Rectangle {
            anchors.fill: parent
            radius: 12
            color: "transparent"
            border.width: 2
            border.color: thumb.selected ? "white" : "transparent"
        }
        TapHandler { onTapped: root.picked(thumb.index) }
    }
}
