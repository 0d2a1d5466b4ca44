// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// Segmented control for the sort order.
Rectangle {
    id: root
    objectName: "sortSegments"
    property string value
    signal picked(string value)
    readonly property var segments: [
        { title: qsTr("Newest"), value: "newest" },
        { title: qsTr("Popular"), value: "popular" },
        { title: qsTr("Trending"), value: "trending" }
    ]

    implicitWidth: 260
    implicitHeight: 24
    radius: 6
    color: Qt.rgba(1, 1, 1, 0.08)

    ChoiceBar {
        anchors.fill: parent
        anchors.margins: 2
        Repeater {
            model: root.segments
            ChoiceButton {
                required property var modelData
                objectName: "sort_" + modelData.value
                width: (root.width - 4) / 3
                height: root.height - 4
                radius: 5
                selected: modelData.value === root.value
                text: modelData.title
                fontSize: 12
                selectedWeight: Font.Medium
                selectedFill: Qt.rgba(1, 1, 1, 0.22)
                selectedTextColor: "white"
                idleTextColor: "white"
                colorDuration: 0
                onClicked: root.picked(modelData.value)
            }
        }
    }
}
