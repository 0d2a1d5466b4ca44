// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Lumivane

// Tag entry: chips for the tags so far, then a field; Return commits what was typed (the view
// model trims, lower-cases and drops empties and duplicates) and always clears the field.
Column {
    id: root
    objectName: "tagInput"

    property var tags: []
    readonly property alias tagInput: field.text
    signal addRequested(string tag)
    signal removeRequested(string tag)

    spacing: 8

    function commit() {
        root.addRequested(field.text)
        field.text = ""
    }

    Text {
        text: qsTr("Tags")
        font.pixelSize: 12
        font.weight: Font.Medium
        color: AppPalette.secondaryText
    }

    Rectangle {
        width: parent.width
        height: flow.implicitHeight + 20
        radius: 8
        color: Qt.rgba(1, 1, 1, 0.08)
        border.color: Qt.rgba(1, 1, 1, 0.12)
        border.width: 1

        FlowLayout {
            id: flow
            x: 10
            y: 10
            width: parent.width - 20
            spacing: 6
            Repeater {
                model: root.tags
                Rectangle {
                    id: chip
                    required property string modelData
                    objectName: "tagChip_" + modelData
                    implicitWidth: chipRow.implicitWidth + 20
                    implicitHeight: chipRow.implicitHeight + 10
                    radius: height / 2
                    color: Qt.rgba(1, 1, 1, 0.1)
                    Row {
                        id: chipRow
                        anchors.centerIn: parent
                        spacing: 4
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: chip.modelData
                            font.pixelSize: 12
                            color: "white"
                        }
                        IconButton {
                            anchors.verticalCenter: parent.verticalCenter
                            symbol: "xmark"
                            symbolSize: 10
                            glyph.font.bold: true
                            symbolColor: Qt.rgba(1, 1, 1, 0.5)
                            Accessible.name: qsTr("Remove tag %1").arg(chip.modelData)
                            onClicked: root.removeRequested(chip.modelData)
                        }
                    }
                }
            }
            TextField {
                id: field
                objectName: "tagField"
                placeholderText: qsTr("Add tag...")
                Accessible.name: qsTr("Add tag")
                placeholderTextColor: Qt.rgba(1, 1, 1, 0.35)
                color: "white"
                font.pixelSize: 12
                padding: 0
                topPadding: 5
                bottomPadding: 5
                background: null
                implicitWidth: Math.max(80, Math.min(140, contentWidth + 4))
                onAccepted: root.commit()
            }
        }
    }
}
