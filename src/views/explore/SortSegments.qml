// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Segmented control for the sort order.
Rectangle {
    id: root
    objectName: "sortSegments"
    property string value
    signal picked(string value)
    readonly property var segments: [
        { title: "Newest", value: "newest" },
        { title: "Popular", value: "popular" },
        { title: "Trending", value: "trending" }
    ]

    implicitWidth: 260
    implicitHeight: 24
    radius: 6
    color: Qt.rgba(1, 1, 1, 0.08)

    Row {
        anchors.fill: parent
        anchors.margins: 2
        Repeater {
            model: root.segments
            Rectangle {
                required property var modelData
                readonly property bool selected: modelData.value === root.value
                width: (root.width - 4) / 3
                height: root.height - 4
                radius: 5
                color: selected ? Qt.rgba(1, 1, 1, 0.22) : "transparent"
                Text {
                    anchors.centerIn: parent
                    text: parent.modelData.title
                    font.pixelSize: 12
                    font.weight: parent.selected ? Font.Medium : Font.Normal
                    color: "white"
                }
                TapHandler { onTapped: root.picked(parent.modelData.value) }
            }
        }
    }
}
