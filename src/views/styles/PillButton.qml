// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Lumivane

// Capsule button: white with black text when filled, translucent white otherwise. Shrinks to
// 96 % while held. Space and Enter press it.
T.Button {
    id: control

    property bool filled: false
    property string symbol: ""
    property real symbolSize: 13
    property color symbolColor: foreground
    readonly property color foreground: filled ? "black" : "white"
    property color fill: filled ? "white" : Qt.rgba(1, 1, 1, 0.15)
    property color outline: "transparent"
    property real pressedScale: 0.96

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset, implicitContentHeight + topPadding + bottomPadding)
    leftPadding: 16
    rightPadding: 16
    topPadding: 7
    bottomPadding: 7
    font.pixelSize: 13
    font.weight: Font.Medium
    opacity: enabled ? 1.0 : 0.45
    spacing: 6
    scale: down ? pressedScale : 1.0
    Behavior on scale { NumberAnimation { duration: 200; easing.type: Easing.OutCubic } }
    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()

    contentItem: Item {
        // The row is the only child; naming it would make this deferred item immediate.
        implicitWidth: children[0].implicitWidth
        implicitHeight: children[0].implicitHeight
        Row {
            anchors.centerIn: parent
            spacing: control.spacing
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
        color: control.fill
        border.color: control.outline
        border.width: control.outline.a > 0 ? 1 : 0
        FocusRing { control: control }
    }
}
