// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import Lumivane

// Capsule button: white with black text when filled, translucent white otherwise. Shrinks to
// 96 % while held.
Button {
    id: control

    property bool filled: false
    property string symbol: ""
    property real symbolSize: 13
    property color symbolColor: foreground
    readonly property color foreground: filled ? "black" : "white"

    leftPadding: 16
    rightPadding: 16
    topPadding: 7
    bottomPadding: 7
    font.pixelSize: 13
    font.weight: Font.Medium
    opacity: enabled ? 1.0 : 0.45
    scale: down ? 0.96 : 1.0
    Behavior on scale { NumberAnimation { duration: 200; easing.type: Easing.OutCubic } }

    contentItem: Item {
        implicitWidth: row.implicitWidth
        implicitHeight: row.implicitHeight
        Row {
            id: row
            anchors.centerIn: parent
            spacing: 6
            Symbol {
                name: control.symbol
                size: control.symbolSize
                color: control.symbolColor
                visible: control.symbol !== ""
                anchors.verticalCenter: parent.verticalCenter
            }
            Text {
                text: control.text
                font: control.font
                color: control.foreground
                visible: control.text !== ""
                anchors.verticalCenter: parent.verticalCenter
            }
        }
    }
    background: Rectangle {
        radius: height / 2
        color: control.filled ? "white" : Qt.rgba(1, 1, 1, 0.15)
    }
}
